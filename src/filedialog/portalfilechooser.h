#pragma once

#include "filedialog/filepatterns.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QVariantMap>

// What the desktop's file chooser is asked for one showing.
struct PortalQuestion
{
    bool save = false;
    QString parentWindow; // "x11:" and the window's id in hex, or empty
    QString title;
    QList<FilterEntry> filters;
    int filterIndex = 1; // the filter in use at first, counting from 1
    QString folder;      // the folder it starts in, a full path
    QString name;        // the name it suggests when saving
};

struct PortalAnswer
{
    enum class Outcome {
        Chosen,     // path holds the chosen file's full path
        Cancelled,  // the user closed the chooser without a choice
        Unanswered, // no chooser answered, or it ended without the user's word
    };
    Outcome outcome = Outcome::Unanswered;
    QString path;
};

// The desktop's own file chooser, reached through the XDG desktop portal on a D-Bus bus.
class PortalFileChooser : public QObject
{
    Q_OBJECT

public:
    explicit PortalFileChooser(const QDBusConnection &bus);

    // Whether the bus is there and the portal is running or can be started on it; asks only
    // the bus itself, which answers at once.
    bool portalOnBus() const;

    // Shows the chooser and waits, in an event loop of its own, for the user's choice. A portal
    // that does not answer the call within a few seconds is taken as none.
    PortalAnswer ask(const PortalQuestion &question);

private Q_SLOTS:
    void takeResponse(uint response, const QVariantMap &results);

private:
    QDBusMessage callWaiting(const QDBusMessage &message);
    bool hasFileChooser();
    void listenTo(const QString &requestPath, bool listen);
    QString requestPath(const QString &token) const;
    void endWith(const PortalAnswer &answer);

    QDBusConnection bus_;
    QEventLoop responseLoop_;
    QElapsedTimer sinceAsked_;
    bool answered_ = false;
    PortalAnswer answer_;
};
