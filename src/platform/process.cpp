#include "platform/process.h"

#include <QCoreApplication>
#include <QStringList>

QString ArgumentText(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments.join(u' ');
}

QString ProgramDirectory()
{
    return QCoreApplication::applicationDirPath();
}

namespace {

EndProgramHandler &InstalledHandler()
{
    static EndProgramHandler handler;
    return handler;
}

} // namespace

void EndProgramAtOnce()
{
    if (const EndProgramHandler &handler = InstalledHandler())
        handler();
    else
        QCoreApplication::exit(0);
}

EndProgramHandler SetEndProgramHandler(EndProgramHandler handler)
{
    return std::exchange(InstalledHandler(), std::move(handler));
}
