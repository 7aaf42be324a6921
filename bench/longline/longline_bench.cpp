// Prints what a single line without any space or break costs in the main window: the time from
// the start of the load until the window is shown with its text laid out, and one typed character
// (with the gauge update and the repaint) at the start, the middle and the end of the line. The
// same is taken on a bare QPlainTextEdit of the text area's size that wraps as the text area does,
// the least a Qt text box does with such a line.
//
//   bench_longline [KIB...]        sizes in KiB, 256 1024 4096 by default
//   VELLUM_BENCH_BARE_MAX_KIB=N    largest size also run on the bare text box (1024 by default:
//                                  it grows with the square of the length)
#include "app/form1.h"
#include "textarea/textarea.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Figures
{
    double shownMs = 0;
    double keystrokeMs[3] = {};
};

// The median time of one typed character at the given position, in milliseconds; each timed
// character is taken back with Backspace, untimed.
double MedianKeystroke(QPlainTextEdit &edit, int position)
{
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(position);
    edit.setTextCursor(cursor);
    QApplication::processEvents();
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(&edit, Qt::Key_Z);
        QApplication::processEvents();
        times.push_back(timer.nsecsElapsed() / 1e6);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QApplication::processEvents();
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

void TypeAtStartMiddleEnd(QPlainTextEdit &edit, Figures &figures)
{
    const int length = edit.document()->characterCount() - 1;
    const int positions[3] = {0, length / 2, length};
    for (int i = 0; i < 3; ++i)
        figures.keystrokeMs[i] = MedianKeystroke(edit, positions[i]);
}

Figures MeasureVellum(const QString &path)
{
    Figures figures;
    QElapsedTimer timer;
    timer.start();
    Form1 form(path);
    form.show();
    QApplication::processEvents();
    figures.shownMs = timer.nsecsElapsed() / 1e6;
    TypeAtStartMiddleEnd(form.documentWindow().Text1, figures);
    return figures;
}

Figures MeasureBare(const QString &path)
{
    Figures figures;
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the sample file");
    QPlainTextEdit edit;
    edit.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit.setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    edit.setPlainText(QString::fromLatin1(file.readAll()));
    edit.resize(369, 321);
    edit.show();
    QApplication::processEvents();
    figures.shownMs = timer.nsecsElapsed() / 1e6;
    TypeAtStartMiddleEnd(edit, figures);
    return figures;
}

void Print(const char *name, int kib, const Figures &figures)
{
    std::printf("%-6s %5d KiB  shown %9.1f ms   typed at start %8.2f ms, middle %8.2f ms, end "
                "%8.2f ms\n",
                name, kib, figures.shownMs, figures.keystrokeMs[0], figures.keystrokeMs[1],
                figures.keystrokeMs[2]);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {256, 1024, 4096};
    const int bareMax = qEnvironmentVariableIsSet("VELLUM_BENCH_BARE_MAX_KIB")
                            ? qEnvironmentVariableIntValue("VELLUM_BENCH_BARE_MAX_KIB")
                            : 1024;

    QTemporaryDir folder;
    std::printf("one line of 'A' without any space or break\n");
    for (const int kib : sizes) {
        const QString path = folder.filePath(QString::number(kib) + u".txt"_qs);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(QByteArray(kib * 1024, 'A')) != kib * 1024)
            qFatal("cannot write the sample file");
        file.close();
        Print("vellum", kib, MeasureVellum(path));
        if (kib <= bareMax)
            Print("bare", kib, MeasureBare(path));
        else
            std::printf("bare   %5d KiB  not run (VELLUM_BENCH_BARE_MAX_KIB=%d)\n", kib, bareMax);
    }
    return 0;
}
