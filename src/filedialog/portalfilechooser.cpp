#include "filedialog/portalfilechooser.h"

#include "filedialog/portaloptions.h"
#include "platform/filenames.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <algorithm>

namespace {

const QString PortalService = u"org.freedesktop.portal.Desktop"_qs;
const QString PortalPath = u"/org/freedesktop/portal/desktop"_qs;
const QString FileChooserInterface = u"org.freedesktop.portal.FileChooser"_qs;
const QString RequestInterface = u"org.freedesktop.portal.Request"_qs;

// The bus itself answers at once; a portal being started may take a moment longer.
constexpr int BusTimeoutMs = 1000;
constexpr int PortalTimeoutMs = 5000;
// A chooser that ends sooner than this after it was asked for was never before the user.
constexpr qint64 ShowingFailedMs = 1000;

// The chooser's answers in its Response signal.
constexpr uint ResponseChosen = 0;
constexpr uint ResponseCancelled = 1;

QDBusMessage AskBus(const QDBusConnection &bus, const QString &method,
                    const QVariantList &arguments = {})
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(u"org.freedesktop.DBus"_qs, u"/org/freedesktop/DBus"_qs,
                                       u"org.freedesktop.DBus"_qs, method);
    call.setArguments(arguments);
    const QDBusMessage reply = bus.call(call, QDBus::Block, BusTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage ? reply : QDBusMessage();
}

QVariantMap Options(const PortalQuestion &question, const QString &token)
{
    QByteArray folder = EncodeFileName(question.folder);
    folder.append('\0');
    QVariantMap options{{u"handle_token"_qs, token},
                        {u"accept_label"_qs, question.save ? u"_Save"_qs : u"_Open"_qs},
                        {u"modal"_qs, true},
                        {u"current_folder"_qs, folder}};
    const QList<PortalFilter> filters = PortalFilters(question.filters);
    if (!filters.isEmpty()) {
        options.insert(u"filters"_qs, QVariant::fromValue(filters));
        const int index = std::clamp(question.filterIndex, 1, int(filters.size())) - 1;
        options.insert(u"current_filter"_qs, QVariant::fromValue(filters.at(index)));
    }
    if (question.save)
        options.insert(u"current_name"_qs, DisplayFileName(question.name));
    return options;
}

} // namespace

PortalFileChooser::PortalFileChooser(const QDBusConnection &bus) : bus_(bus)
{
    RegisterPortalTypes();
}

bool PortalFileChooser::portalOnBus() const
{
    if (!bus_.isConnected())
        return false;
    if (AskBus(bus_, u"NameHasOwner"_qs, {PortalService}).arguments().value(0).toBool())
        return true;
    const QVariant names = AskBus(bus_, u"ListActivatableNames"_qs).arguments().value(0);
    return names.toStringList().contains(PortalService);
}

PortalAnswer PortalFileChooser::ask(const PortalQuestion &question)
{
    answered_ = false;
    // A portal without a file chooser has no version of it to tell; asking starts the portal.
    if (!hasFileChooser())
        return {};

    static int requests = 0;
    const QString token = u"vellum%1"_qs.arg(++requests);
    // The answer may come before the call's reply, so the listening starts first, on the
    // request's path as the portal will make it.
    const QString expectedPath = requestPath(token);
    listenTo(expectedPath, true);
    QDBusServiceWatcher portalGone(PortalService, bus_,
                                   QDBusServiceWatcher::WatchForUnregistration);
    connect(&portalGone, &QDBusServiceWatcher::serviceUnregistered, this, [this] { endWith({}); });

    QDBusMessage call =
        QDBusMessage::createMethodCall(PortalService, PortalPath, FileChooserInterface,
                                       question.save ? u"SaveFile"_qs : u"OpenFile"_qs);
    call << question.parentWindow << question.title << Options(question, token);
    const QDBusMessage reply = callWaiting(call);
    sinceAsked_.start();
    const QString path = reply.type() == QDBusMessage::ReplyMessage
                             ? reply.arguments().value(0).value<QDBusObjectPath>().path()
                             : QString();
    if (path.isEmpty()) {
        // A chooser that comes up after all would be left without anyone to answer.
        bus_.send(QDBusMessage::createMethodCall(PortalService, expectedPath, RequestInterface,
                                                 u"Close"_qs));
        endWith({});
    } else if (path != expectedPath) {
        // An older portal makes the request's path its own way.
        listenTo(path, true);
    }
    if (!answered_)
        responseLoop_.exec();
    listenTo(expectedPath, false);
    if (!path.isEmpty() && path != expectedPath)
        listenTo(path, false);
    return answer_;
}

void PortalFileChooser::takeResponse(uint response, const QVariantMap &results)
{
    const QStringList uris = results.value(u"uris"_qs).toStringList();
    const QString path = uris.isEmpty() ? QString() : NameFromFileUri(uris.constFirst());
    // GTK's chooser closed by Escape or by its window ends "in some other way", as does a backend
    // that fails to show anything; only the second is that quick.
    const bool userEnded = response == ResponseCancelled ||
                           (response != ResponseChosen && sinceAsked_.elapsed() >= ShowingFailedMs);
    if (response == ResponseChosen && !path.isEmpty())
        endWith({PortalAnswer::Outcome::Chosen, path});
    else if (userEnded)
        endWith({PortalAnswer::Outcome::Cancelled, {}});
    else
        endWith({});
}

QDBusMessage PortalFileChooser::callWaiting(const QDBusMessage &message)
{
    QDBusPendingCallWatcher watcher(bus_.asyncCall(message, PortalTimeoutMs));
    if (!watcher.isFinished()) {
        QEventLoop loop;
        connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return watcher.reply();
}

bool PortalFileChooser::hasFileChooser()
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        PortalService, PortalPath, u"org.freedesktop.DBus.Properties"_qs, u"Get"_qs);
    get << FileChooserInterface << u"version"_qs;
    return callWaiting(get).type() == QDBusMessage::ReplyMessage;
}

void PortalFileChooser::listenTo(const QString &requestPath, bool listen)
{
    const char *const slot = SLOT(takeResponse(uint, QVariantMap));
    if (listen)
        bus_.connect(PortalService, requestPath, RequestInterface, u"Response"_qs, this, slot);
    else
        bus_.disconnect(PortalService, requestPath, RequestInterface, u"Response"_qs, this, slot);
}

// The portal's request path: its unique name on the bus without the ":" and with "_" for ".",
// then the token.
QString PortalFileChooser::requestPath(const QString &token) const
{
    QString sender = bus_.baseService().mid(1);
    sender.replace(u'.', u'_');
    return u"%1/request/%2/%3"_qs.arg(PortalPath, sender, token);
}

void PortalFileChooser::endWith(const PortalAnswer &answer)
{
    answer_ = answer;
    answered_ = true;
    responseLoop_.quit();
}
