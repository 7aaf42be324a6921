// Prints the time to load a 10 MiB document of 80-character CR LF lines into the main window,
// and the cost of one typed character (with the gauge update and the repaint) at the start, the
// middle and the end of it, against the same on an empty document and on a document holding one
// such line alone (typing at the end of a long line costs more than on an empty one, whatever
// the document's length).
#include "app/form1.h"
#include "controls/statusbar.h"
#include "textarea/textarea.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QString WriteTenMebibyteFile(const QTemporaryDir &folder)
{
    const QByteArray line = QByteArray(80, 'x') + "\r\n";
    QByteArray content;
    content.reserve(10 * 1024 * 1024);
    while (content.size() + line.size() <= 10 * 1024 * 1024)
        content += line;
    const QString path = folder.filePath(u"big.diz"_qs);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write the sample file");
    return path;
}

// The median time of one typed character at the end of the given block, in microseconds: the
// caret is put there once, then each timed character is typed and taken back with Backspace, as
// a user types on one spot.
double MedianKeystroke(Form1 &form, int blockNumber)
{
    TextArea &text = form.documentWindow().Text1;
    QTextCursor cursor(text.document()->findBlockByNumber(blockNumber));
    cursor.movePosition(QTextCursor::EndOfBlock);
    text.setTextCursor(cursor);
    QApplication::processEvents();
    std::vector<double> times;
    for (int i = 0; i < 300; ++i) {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(&text, Qt::Key_Z);
        QApplication::processEvents();
        times.push_back(timer.nsecsElapsed() / 1000.0);
        QTest::keyClick(&text, Qt::Key_Backspace);
        QApplication::processEvents();
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    const QString path = WriteTenMebibyteFile(folder);

    Form1 empty{QString()};
    empty.show();
    QApplication::processEvents();
    const double emptyCost = MedianKeystroke(empty, 0);

    // The same line alone: what a keystroke costs on a line of this length in a tiny document.
    const QString onePath = folder.filePath(u"one.diz"_qs);
    QFile one(onePath);
    if (!one.open(QIODevice::WriteOnly) || one.write(QByteArray(80, 'x')) != 80)
        qFatal("cannot write the one-line file");
    one.close();
    Form1 oneLine{onePath};
    oneLine.show();
    QApplication::processEvents();
    const double oneLineCost = MedianKeystroke(oneLine, 0);

    QElapsedTimer load;
    load.start();
    Form1 big(path);
    const double loadMs = load.nsecsElapsed() / 1e6;
    big.show();
    QApplication::processEvents();
    const double shownMs = load.nsecsElapsed() / 1e6;
    const int blocks = big.documentWindow().Text1.document()->blockCount();

    std::printf("10 MiB file, %d lines of 80 characters with CR LF\n", blocks);
    std::printf("load into the window:        %8.1f ms\n", loadMs);
    std::printf("load, show and lay out:      %8.1f ms\n", shownMs);
    std::printf("typed character, empty:      %8.1f us\n", emptyCost);
    std::printf("typed character, one line:   %8.1f us  (one 80-character line alone)\n",
                oneLineCost);
    for (const auto &[name, block] :
         {std::pair{"start", 0}, std::pair{"middle", blocks / 2}, std::pair{"end", blocks - 1}}) {
        const double cost = MedianKeystroke(big, block);
        std::printf("typed character, 10 MiB %-6s %8.1f us  (%.2fx empty, %.2fx one line)\n", name,
                    cost, cost / emptyCost, cost / oneLineCost);
    }
    std::printf("gauge: %s\n", qPrintable(big.documentWindow().StatusBar1.panelText(1)));
    return 0;
}
