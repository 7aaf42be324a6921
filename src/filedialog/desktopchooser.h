#pragma once

#include "filedialog/commondialog.h"

// The desktop's own file chooser, reached through the XDG desktop portal, for one showing of the
// common dialog with its title, filters, flags, folder and name.
struct DesktopChoice
{
    bool answered = false; // false: no chooser answered, the program's own dialog is wanted
    QString path;          // the chosen file's full path; empty when the user cancelled
};

// Where the portal answers, shows its chooser while the program's windows take no input. A name
// chosen without an extension gets the default one as the own dialog gives it; when that names
// an existing file and the flags ask for it, the user is asked before it is replaced, and a No
// shows the chooser again.
DesktopChoice ChooseOnDesktop(const CommonDialog &properties, CommonDialog::Kind kind,
                              const QString &startFolder);
