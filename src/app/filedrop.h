#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QMimeData;

// Watches the text area's viewport for drops. A file dragged from a file manager is opened, not
// inserted as its address: several files open the first one. Anything else dragged (plain text)
// is left to the text area, which inserts it as a paste.
class FileDrop : public QObject
{
    Q_OBJECT
public:
    using OpenFile = std::function<void(const QString &path)>;
    FileDrop(QWidget *viewport, OpenFile openFile);

    // The first local file among the dragged addresses, or an empty path when there is none.
    static QString DroppedFile(const QMimeData *data);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    OpenFile openFile_;
};
