// GIO comes before Qt: one of its structures has a member that Qt's "signals" keyword would hide.
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include "platform/shell.h"

#include "platform/filenames.h"

#include <cerrno>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A working directory that cannot be entered is found out here: once the program is on its way,
// the desktop no longer tells us that it could not change into it.
std::optional<ShellResult> DirectoryProblem(const QByteArray &directory)
{
    struct stat status;
    if (stat(directory.constData(), &status) != 0)
        return errno == EACCES ? ShellCode::AccessDenied : ShellCode::PathNotFound;
    if (!S_ISDIR(status.st_mode))
        return ShellCode::PathNotFound;
    if (access(directory.constData(), X_OK) != 0)
        return ShellCode::AccessDenied;
    return std::nullopt;
}

// Runs in the new process just before the program starts. Should the directory have gone since
// it was checked, the program is not started anywhere else.
void ChangeIntoDirectory(gpointer directory)
{
    if (chdir(static_cast<const char *>(directory)) != 0)
        _exit(127);
}

} // namespace

// The parent window, the parameters text and the show command have no counterpart on this
// desktop and are dropped: no parent is needed to open a target, the desktop entry of the
// associated program decides its arguments (the target alone), and the program places and sizes
// its own window.
ShellResult ShellExecute(QWidget *, const QString &file, const QString &, const QString &directory,
                         int)
{
    // An empty name would stand for our own working directory and open a folder.
    if (file.isEmpty())
        return ShellCode::FileNotFound;

    g_autoptr(GFile) target = g_file_new_for_commandline_arg(EncodeFileName(file).constData());
    // The desktop names a program even for a file we may not read, going by its name alone.
    if (g_autofree char *path = g_file_get_path(target)) {
        if (access(path, R_OK) != 0 && errno == EACCES)
            return ShellCode::AccessDenied;
    }

    g_autoptr(GError) error = nullptr;
    g_autoptr(GAppInfo) handler = g_file_query_default_handler(target, nullptr, &error);
    if (!handler)
        return ShellResultForError(error);

    const QByteArray workingDirectory = EncodeFileName(directory);
    if (!directory.isEmpty()) {
        if (const std::optional<ShellResult> problem = DirectoryProblem(workingDirectory))
            return *problem;
    }
    if (!G_IS_DESKTOP_APP_INFO(handler))
        return ShellCode::Unknown;

    g_autofree char *uri = g_file_get_uri(target);
    GList uris{uri, nullptr, nullptr};
    // Without G_SPAWN_DO_NOT_REAP_CHILD the program is started detached: nothing waits for it and
    // it leaves no zombie behind.
    const gboolean started = g_desktop_app_info_launch_uris_as_manager(
        G_DESKTOP_APP_INFO(handler), &uris, nullptr, G_SPAWN_SEARCH_PATH,
        directory.isEmpty() ? nullptr : ChangeIntoDirectory,
        const_cast<char *>(workingDirectory.constData()), nullptr, nullptr, &error);
    return started ? ShellCode::Launched : ShellResultForLaunchError(error);
}

ShellResult ShellResultForError(const GError *error)
{
    if (!error)
        return ShellCode::Unknown;
    if (error->domain == G_IO_ERROR) {
        switch (error->code) {
        case G_IO_ERROR_NOT_FOUND:
            return ShellCode::FileNotFound;
        case G_IO_ERROR_NOT_DIRECTORY:
            return ShellCode::PathNotFound;
        case G_IO_ERROR_PERMISSION_DENIED:
            return ShellCode::AccessDenied;
        case G_IO_ERROR_NOT_SUPPORTED: // no program for the file's type or the address's scheme
            return ShellCode::NoAssociation;
        default:
            return ShellCode::Unknown;
        }
    }
    return ShellCode::Unknown;
}

ShellResult ShellResultForLaunchError(const GError *error)
{
    // Out of memory or processes is the unknown code's own meaning. Otherwise the association is
    // of no use: its program is not there or cannot run, or it needs a terminal that is not
    // installed ("Unable to find terminal required for application").
    const bool outOfResources =
        error && error->domain == G_SPAWN_ERROR &&
        (error->code == G_SPAWN_ERROR_FORK || error->code == G_SPAWN_ERROR_NOMEM);
    return outOfResources ? ShellCode::Unknown : ShellCode::AssociationIncomplete;
}
