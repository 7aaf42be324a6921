#include "app/displaycheck.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QList<HeldMessage> &Held()
{
    static QList<HeldMessage> held;
    return held;
}

bool UserChosePlatform()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

[[noreturn]] void EndWithoutDisplay()
{
    std::fputs("vellum: cannot open a display\n", stderr);
    // Nothing has been loaded or changed yet, and Qt is half made: nothing is to be cleaned up.
    std::_Exit(1);
}

void HoldOrEnd(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    // While the application is being made, the one fatal message is the failed window system.
    if (type == QtFatalMsg)
        EndWithoutDisplay();
    Held().append({type, QByteArray(context.category), text});
}

} // namespace

void RequireDisplay()
{
    if (!UserChosePlatform() && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        EndWithoutDisplay();
}

DisplayOpening::DisplayOpening() : watching_(!UserChosePlatform())
{
    if (watching_)
        previous_ = qInstallMessageHandler(HoldOrEnd);
}

void DisplayOpening::opened()
{
    if (!watching_)
        return;
    watching_ = false;
    qInstallMessageHandler(previous_);
    for (const HeldMessage &message : std::exchange(Held(), {})) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
}
