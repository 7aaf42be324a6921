#include "app/displaycheck.h"
#include "app/form1.h"
#include "app/sessionguard.h"
#include "platform/process.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // Every argument is part of the file's path: Qt is given none of them to interpret.
    const QString argumentText = ArgumentText(argc, argv);
    int qtArgc = 1;
    char *qtArgv[] = {argv[0], nullptr};
    RequireDisplay();
    DisplayOpening display;
    QApplication application(qtArgc, qtArgv);
    display.opened();
    QApplication::setApplicationName(u"Vellum"_qs);
    // Lets the desktop match the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(u"org.example.vellum"_qs);

    Form1 form(argumentText);
    new SessionGuard(form.documentWindow(), form);
    form.show();
    return QApplication::exec();
}
