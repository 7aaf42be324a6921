#pragma once

#include <QString>
#include <cstdint>

class QWidget;
typedef struct _GError GError;

// What the desktop's open service answers: above 32 the target was handed over, 32 or less is
// the reason it was not.
using ShellResult = std::int32_t;

namespace ShellCode {
inline constexpr ShellResult Unknown = 0; // out of resources, or a reason without a code
inline constexpr ShellResult FileNotFound = 2;
inline constexpr ShellResult PathNotFound = 3;
inline constexpr ShellResult AccessDenied = 5;
inline constexpr ShellResult AssociationIncomplete = 27;
inline constexpr ShellResult NoAssociation = 31;
inline constexpr ShellResult Launched = 33;
} // namespace ShellCode

// The show command that asks for the program's window in its normal size.
inline constexpr int ShowNormal = 1;

// Opens file (a path or a web address) with the program the desktop associates with it, started
// in directory when one is given (otherwise in ours), and returns as soon as the program has been
// started, without waiting for it. Nothing goes through a shell: the target reaches the program as
// one argument, whatever characters it holds.
ShellResult ShellExecute(QWidget *parent, const QString &file, const QString &parameters,
                         const QString &directory, int showCommand);

// The code that stands for a failure of the desktop's service to find the target or its program.
ShellResult ShellResultForError(const GError *error);
// The code that stands for a failure to start the program the desktop named for the target.
ShellResult ShellResultForLaunchError(const GError *error);
