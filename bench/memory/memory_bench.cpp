// Prints the main window's resident memory as documents come and go: a fresh window, after a big
// file is opened, after File > New, and after each of several open and New cycles of a smaller
// file, with the peak so far. The files are lines of the given length with CR LF between them.
//
//   bench_memory [LINE_LENGTH [FIRST_MIB [CYCLE_MIB [CYCLES]]]]    80 50 20 6 by default
#include "app/form1.h"
#include "document/guard.h"
#include "files/opendocument.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

// A field of /proc/self/status, in MiB.
double StatusMib(const QByteArray &field)
{
    QFile status(u"/proc/self/status"_qs);
    if (!status.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/status");
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return -1;
}

QString WriteSample(const QTemporaryDir &folder, int lineLength, int mebibytes)
{
    const QString path = folder.filePath(QString::number(mebibytes) + u".txt"_qs);
    QFile file(path);
    const QByteArray line = QByteArray(lineLength, 'x') + "\r\n";
    QByteArray content;
    content.reserve(qsizetype(mebibytes) << 20);
    while (content.size() + line.size() <= qsizetype(mebibytes) << 20)
        content += line;
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write the sample file");
    return path;
}

double Settled(double fresh, const char *what)
{
    QApplication::processEvents();
    const double resident = StatusMib("VmRSS");
    std::printf("  %-28s %8.1f MiB  (%.2fx the fresh window; peak so far %.1f MiB)\n", what,
                resident, resident / fresh, StatusMib("VmHWM"));
    std::fflush(stdout);
    return resident;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int lineLength = argc > 1 ? std::atoi(argv[1]) : 80;
    const int firstMib = argc > 2 ? std::atoi(argv[2]) : 50;
    const int cycleMib = argc > 3 ? std::atoi(argv[3]) : 20;
    const int cycles = argc > 4 ? std::atoi(argv[4]) : 6;

    QTemporaryDir folder;
    const QString first = WriteSample(folder, lineLength, firstMib);
    const QString cycled = WriteSample(folder, lineLength, cycleMib);

    std::printf("resident memory (VmRSS), lines of %d characters with CR LF\n", lineLength);
    Form1 form(QString{});
    form.show();
    DocumentWindow &window = form.documentWindow();
    QApplication::processEvents();
    const double fresh = StatusMib("VmRSS");
    std::printf("  %-28s %8.1f MiB\n", "fresh window", fresh);

    OpenDocumentFile(window, first);
    Settled(fresh, qPrintable(QString::number(firstMib) + u" MiB opened"_qs));
    NewDocument(window);
    const double afterNew = Settled(fresh, "File > New");
    for (int i = 1; i <= cycles; ++i) {
        OpenDocumentFile(window, cycled);
        Settled(fresh, qPrintable(u"cycle %1: %2 MiB opened"_qs.arg(i).arg(cycleMib)));
        NewDocument(window);
        Settled(fresh, qPrintable(u"cycle %1: File > New"_qs.arg(i)));
    }
    std::printf("after %d MiB and File > New: %.2fx the fresh window, target at most 2x: %s\n",
                firstMib, afterNew / fresh, afterNew <= 2 * fresh ? "met" : "MISSED");
    return 0;
}
