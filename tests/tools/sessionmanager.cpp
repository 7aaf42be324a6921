// A session manager of the X Session Management Protocol, as small as a test needs: it accepts
// one client, and when a line "logout" arrives on its input it asks the client to save its data
// and its state for a shutdown that allows interaction, as a logout does, grants the interaction,
// and ends the session or
// cancels it as the client answers. It prints what it sees, one line each:
//   SESSION_MANAGER=<address>   first, for the client's environment
//   registered                  the client has joined
//   save-yourself               the request for a logout has been sent
//   interact-done cancel=<0|1>  the client's answer
//   save-done success=<0|1>
//   die | shutdown-cancelled    what the session manager then tells the client
//   closed                      the client has left; the session manager ends
#include <X11/SM/SMlib.h>
// After SMlib.h, which brings the types it needs.
#include <X11/ICE/ICEutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <unistd.h>
#include <vector>

namespace {

struct Session
{
    SmsConn client = nullptr;
    IceConn connection = nullptr;
    bool cancelled = false;
    bool closed = false;
};

void Say(const char *line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

Status RegisterClient(SmsConn conn, SmPointer, char *previousId)
{
    std::free(previousId);
    SmsRegisterClientReply(conn, SmsGenerateClientID(conn));
    Say("registered");
    return 1;
}

void InteractRequest(SmsConn conn, SmPointer, int)
{
    SmsInteract(conn);
}

void InteractDone(SmsConn, SmPointer data, Bool cancelShutdown)
{
    static_cast<Session *>(data)->cancelled = cancelShutdown;
    Say(cancelShutdown ? "interact-done cancel=1" : "interact-done cancel=0");
}

void SaveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}

void SaveYourselfPhase2Request(SmsConn conn, SmPointer)
{
    SmsSaveYourselfPhase2(conn);
}

void SaveYourselfDone(SmsConn conn, SmPointer data, Bool success)
{
    Say(success ? "save-done success=1" : "save-done success=0");
    auto *session = static_cast<Session *>(data);
    if (session->cancelled) {
        SmsShutdownCancelled(conn);
        Say("shutdown-cancelled");
        session->cancelled = false;
    } else {
        SmsDie(conn);
        Say("die");
    }
}

void CloseConnection(SmsConn conn, SmPointer data, int count, char **reasons)
{
    SmFreeReasons(count, reasons);
    SmsCleanUp(conn);
    static_cast<Session *>(data)->closed = true;
    Say("closed");
}

void SetProperties(SmsConn, SmPointer, int count, SmProp **properties)
{
    for (int i = 0; i < count; ++i)
        SmFreeProperty(properties[i]);
    std::free(properties);
}

void DeleteProperties(SmsConn, SmPointer, int count, char **names)
{
    for (int i = 0; i < count; ++i)
        std::free(names[i]);
    std::free(names);
}

void GetProperties(SmsConn conn, SmPointer)
{
    SmsReturnProperties(conn, 0, nullptr);
}

Status NewClient(SmsConn conn, SmPointer data, unsigned long *mask, SmsCallbacks *callbacks,
                 char **)
{
    auto *session = static_cast<Session *>(data);
    session->client = conn;
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
            SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
            SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
    callbacks->register_client = {RegisterClient, data};
    callbacks->interact_request = {InteractRequest, data};
    callbacks->interact_done = {InteractDone, data};
    callbacks->save_yourself_request = {SaveYourselfRequest, data};
    callbacks->save_yourself_phase2_request = {SaveYourselfPhase2Request, data};
    callbacks->save_yourself_done = {SaveYourselfDone, data};
    callbacks->close_connection = {CloseConnection, data};
    callbacks->set_properties = {SetProperties, data};
    callbacks->delete_properties = {DeleteProperties, data};
    callbacks->get_properties = {GetProperties, data};
    return 1;
}

// Every local client is let in without an authentication cookie.
Bool AnyHost(char *)
{
    return True;
}

} // namespace

int main()
{
    Session session;
    char error[256] = {};
    if (!SmsInitialize("vellum-test", "1", NewClient, &session, AnyHost, sizeof error, error)) {
        std::fprintf(stderr, "SmsInitialize: %s\n", error);
        return 1;
    }
    int count = 0;
    IceListenObj *listeners = nullptr;
    if (!IceListenForConnections(&count, &listeners, sizeof error, error)) {
        std::fprintf(stderr, "IceListenForConnections: %s\n", error);
        return 1;
    }
    for (int i = 0; i < count; ++i)
        IceSetHostBasedAuthProc(listeners[i], AnyHost);
    char *address = IceComposeNetworkIdList(count, listeners);
    std::printf("SESSION_MANAGER=%s\n", address);
    std::fflush(stdout);
    std::free(address);

    char line[64];
    while (!session.closed) {
        std::vector<pollfd> watched{{STDIN_FILENO, POLLIN, 0}};
        for (int i = 0; i < count; ++i)
            watched.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
        IceConn client = session.connection;
        if (client)
            watched.push_back({IceConnectionNumber(client), POLLIN, 0});
        if (::poll(watched.data(), watched.size(), -1) < 0)
            return 1;
        if (watched[0].revents & POLLIN) {
            if (!std::fgets(line, sizeof line, stdin))
                return 0;
            if (std::strncmp(line, "logout", 6) == 0 && session.client) {
                SmsSaveYourself(session.client, SmSaveBoth, True, SmInteractStyleAny, False);
                Say("save-yourself");
            }
        }
        for (int i = 0; i < count; ++i) {
            if (!(watched[1 + i].revents & POLLIN))
                continue;
            IceAcceptStatus status;
            IceConn accepted = IceAcceptConnection(listeners[i], &status);
            while (accepted && IceConnectionStatus(accepted) == IceConnectPending)
                IceProcessMessages(accepted, nullptr, nullptr);
            // The client's first message on the connection makes it a session client.
            if (accepted && IceConnectionStatus(accepted) == IceConnectAccepted)
                session.connection = accepted;
        }
        if (client && (watched.back().revents & (POLLIN | POLLHUP)) &&
            IceProcessMessages(client, nullptr, nullptr) == IceProcessMessagesIOError) {
            Say("closed");
            return 0;
        }
    }
    return 0;
}
