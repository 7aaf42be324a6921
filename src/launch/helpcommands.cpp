#include "launch/helpcommands.h"

#include "launch/module1.h"
#include "platform/process.h"

// Neither command looks for its file first: the launcher's box is the one report of a missing
// file. The names are appended as they are, even to a program directory that is the root.

void ShowHelpPage(QWidget *owner)
{
    LaunchURL(owner, ProgramDirectory() + u"/help.html"_qs, 0);
}

void ShowReadme(QWidget *owner)
{
    const QString programDirectory = ProgramDirectory();
    LaunchFile(owner, programDirectory + u"/readme.txt"_qs, programDirectory, 0);
}
