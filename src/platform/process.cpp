#include "platform/process.h"

#include "platform/filenames.h"

#include <QCoreApplication>
#include <QStringList>
#include <malloc.h>

QString ArgumentText(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << DecodeFileName(argv[i]);
    return arguments.join(u' ');
}

QString ProgramDirectory()
{
    // Read from the kernel rather than from Qt, which would lose a folder name that is not UTF-8.
    const QString program = LinkTarget("/proc/self/exe");
    return program.isEmpty() ? QCoreApplication::applicationDirPath() : FolderPart(program);
}

void ReuseLargeBuffers()
{
    // Large blocks come from the heap rather than from maps of their own, and up to this much
    // freed memory stays with the process.
    constexpr int KeptFreeMemory = 256 * 1024 * 1024;
    // Once is enough; later calls cost a test.
    [[maybe_unused]] static const bool done =
        mallopt(M_MMAP_MAX, 0) && mallopt(M_TRIM_THRESHOLD, KeptFreeMemory);
}

void GiveBackFreedMemory()
{
    malloc_trim(0);
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
