#include "textarea/textarea.h"

#include "platform/process.h"
#include "support/childprocess.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <gtest/gtest.h>
#include <random>

namespace {

QByteArray RandomBytes(std::mt19937 &random, int maxLength)
{
    // Line-break bytes are frequent, so that every mix of CR LF, LF and CR shows up.
    std::uniform_int_distribution<int> length(0, maxLength), kind(0, 5), any(0, 255);
    QByteArray bytes;
    for (int i = length(random); i > 0; --i) {
        const int k = kind(random);
        bytes.append(k == 0 ? '\r' : k == 1 ? '\n' : static_cast<char>(any(random)));
    }
    return bytes;
}

// A document as lines and break forms, edited the way the text area should edit it.
struct ReferenceText
{
    QStringList lines{QString()};
    QByteArray kinds;

    void replace(int fromLine, int fromColumn, int toLine, int toColumn, const QString &text)
    {
        const QStringList inserted = text.split(u'\n');
        QString head = lines[fromLine].left(fromColumn);
        const QString tail = lines[toLine].mid(toColumn);
        QStringList replacement = inserted;
        replacement.first().prepend(head);
        replacement.last().append(tail);
        lines.remove(fromLine, toLine - fromLine + 1);
        for (int i = 0; i < replacement.size(); ++i)
            lines.insert(fromLine + i, replacement[i]);
        kinds.replace(fromLine, toLine - fromLine, QByteArray(inserted.size() - 1, 'W'));
    }

    QByteArray bytes() const
    {
        QByteArray result;
        for (int i = 0; i < lines.size(); ++i) {
            result += lines[i].toLatin1();
            if (i < kinds.size())
                result += kinds[i] == 'W' ? "\r\n" : kinds[i] == 'L' ? "\n" : "\r";
        }
        return result;
    }
};

qint64 ResidentKib()
{
    QFile status(u"/proc/self/status"_qs);
    status.open(QIODevice::ReadOnly);
    const QByteArray text = status.readAll();
    return text.mid(text.indexOf("VmRSS:") + 6).trimmed().split(' ').value(0).toLongLong();
}

QPair<int, int> LineAndColumn(const TextArea &area, int position)
{
    const QTextBlock block = area.document()->findBlock(position);
    return {block.blockNumber(), position - block.position()};
}

} // namespace

TEST(TextAreaBytes, RandomFilesComeBackByteForByte)
{
    std::mt19937 random(20261207);
    TextArea area;
    for (int file = 0; file < 3000; ++file) {
        const QByteArray bytes = RandomBytes(random, file < 2900 ? 120 : 4000);
        area.setBytes(bytes);
        ASSERT_EQ(area.bytes(), bytes) << "file " << file;
        ASSERT_EQ(area.byteLength(), bytes.size()) << "file " << file;
    }
}

// The text goes in in pieces of a mebibyte, with breaks of every form across the seam; a CR LF
// pair there is still one break.
TEST(TextAreaBytes, BreaksAcrossThePiecesOfALongTextComeBack)
{
    TextArea area;
    for (const QByteArray seam : {"\r\n", "\r\r", "\rx", "\n\r", "x\n"}) {
        const QByteArray bytes =
            QByteArray(40, 'x').append("\r\n").repeated(1 << 15).left((1 << 20) - 1) + seam +
            "\r\n";
        area.setBytes(bytes);
        ASSERT_EQ(area.bytes(), bytes);
        ASSERT_EQ(area.document()->blockCount(),
                  bytes.count('\n') + bytes.count('\r') - bytes.count("\r\n") + 1);
    }
}

TEST(TextAreaBytes, AllByteValuesWithEveryBreakForm)
{
    QByteArray bytes;
    for (int byte = 0; byte < 256; ++byte)
        bytes.append(static_cast<char>(byte)).append(byte % 3 == 0 ? "\r\n" : "");
    bytes += "\n\r\r\n\n\r";
    TextArea area;
    area.setBytes(bytes);
    EXPECT_EQ(area.bytes(), bytes);
    EXPECT_EQ(area.byteLength(), bytes.size());
}

TEST(TextAreaBytes, NoBreakBreakSpaceIsKept)
{
    TextArea area;
    area.setBytes("a\xA0"
                  "b");
    EXPECT_EQ(area.bytes(), QByteArray("a\xA0"
                                       "b"));
}

TEST(TextAreaEdits, RandomEditsKeepEveryBreakInItsForm)
{
    std::mt19937 random(468);
    TextArea area;
    ReferenceText reference;
    const QByteArray start = "one\ntwo\rthree\r\nfour\n\nfive\r\rsix";
    area.setBytes(start);
    reference.lines = QString::fromLatin1(start)
                          .replace(u"\r\n"_qs, u"\n"_qs)
                          .split(QRegularExpression(u"[\r\n]"_qs));
    reference.kinds = "LCWLLCC";
    ASSERT_EQ(reference.bytes(), start);

    std::uniform_int_distribution<int> pieces(0, 3), piece(0, 4);
    const QString alphabet[] = {u"x"_qs, u"\n"_qs, u"yz"_qs, u"\u00E9"_qs, u"\n\n"_qs};
    for (int edit = 0; edit < 3000; ++edit) {
        const int end = area.document()->characterCount() - 1;
        std::uniform_int_distribution<int> position(0, end);
        int from = position(random), to = position(random);
        if (from > to)
            std::swap(from, to);
        if (to - from > 12)
            to = from + 12;
        QString text;
        for (int i = pieces(random); i > 0; --i)
            text += alphabet[piece(random)];

        const auto [fromLine, fromColumn] = LineAndColumn(area, from);
        const auto [toLine, toColumn] = LineAndColumn(area, to);
        reference.replace(fromLine, fromColumn, toLine, toColumn, text);
        QTextCursor cursor(area.document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        area.setTextCursor(cursor);
        area.setSelText(text);

        ASSERT_EQ(area.bytes(), reference.bytes()) << "edit " << edit;
        ASSERT_EQ(area.byteLength(), reference.bytes().size()) << "edit " << edit;
    }
}

TEST(TextAreaEdits, UndoAndRedoPutBackTheFormOfABreak)
{
    TextArea area;
    area.setBytes("a\nb\rc");
    QTextCursor cursor(area.document()->findBlockByNumber(1));
    area.setTextCursor(cursor);
    QTest::keyClick(&area, Qt::Key_Backspace);
    EXPECT_EQ(area.bytes(), QByteArray("ab\rc"));

    area.undoLastEdit();
    EXPECT_EQ(area.bytes(), QByteArray("a\nb\rc"));
    area.undoLastEdit();
    EXPECT_EQ(area.bytes(), QByteArray("ab\rc"));
    area.undoLastEdit();
    EXPECT_EQ(area.bytes(), QByteArray("a\nb\rc"));
    EXPECT_EQ(area.byteLength(), 5);

    area.moveCursor(QTextCursor::End);
    QTest::keyClick(&area, Qt::Key_Return);
    EXPECT_EQ(area.bytes(), QByteArray("a\nb\rc\r\n"));
    area.undoLastEdit();
    EXPECT_EQ(area.bytes(), QByteArray("a\nb\rc"));
}

TEST(TextAreaEdits, UndoOfALineJoinTypedAfterOtherEdits)
{
    TextArea area;
    area.setBytes("one\ntwo\rthree");
    area.moveCursor(QTextCursor::End);
    QTest::keyClicks(&area, "!!");
    QTextCursor cursor(area.document()->findBlockByNumber(2));
    area.setTextCursor(cursor);
    QTest::keyClick(&area, Qt::Key_Backspace);
    EXPECT_EQ(area.bytes(), QByteArray("one\ntwothree!!"));
    area.undoLastEdit();
    EXPECT_EQ(area.bytes(), QByteArray("one\ntwo\rthree!!"));
}

TEST(TextAreaInput, TypedBreaksAreCrLfAndShiftEnterIsABreak)
{
    TextArea area;
    area.setBytes("ab");
    area.moveCursor(QTextCursor::End);
    QTest::keyClick(&area, Qt::Key_Return);
    QTest::keyClick(&area, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&area, "c");
    EXPECT_EQ(area.bytes(), QByteArray("ab\r\n\r\nc"));
    EXPECT_EQ(area.document()->blockCount(), 3);
}

TEST(TextAreaInput, CharactersWithoutAByteAreTypedAsQuestionMarks)
{
    TextArea area;
    for (const QString &typed : {u"a"_qs, u"\u0159"_qs, u"\u20AC"_qs}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed);
        QApplication::sendEvent(&area, &press);
    }
    EXPECT_EQ(area.toPlainText(), u"a?\u20AC"_qs);
    EXPECT_EQ(area.bytes(), QByteArray("a?\x80"));
}

TEST(TextAreaInput, PastedTextTakesCrLfBreaksAndSingleBytes)
{
    TextArea area;
    QApplication::clipboard()->setText(u"x\ny\r\nz\rw\u4E2D\u2028v"_qs);
    area.paste();
    EXPECT_EQ(area.bytes(), QByteArray("x\r\ny\r\nz\r\nw?\r\nv"));
}

TEST(TextAreaInput, ReplacingTheSelectionConvertsTheSameWay)
{
    TextArea area;
    area.setBytes("a\nb");
    area.selectAll();
    area.setSelText(u"c\rd\u0159"_qs);
    EXPECT_EQ(area.bytes(), QByteArray("c\r\nd?"));
    EXPECT_FALSE(area.textCursor().hasSelection());
}

TEST(TextAreaSelection, PositionsCountBreaksAtTheirLength)
{
    TextArea area;
    area.setBytes("ab\r\nc\nd");
    area.setSelStart(0);
    area.setSelLength(area.byteLength());
    EXPECT_EQ(area.selLength(), 7);
    EXPECT_EQ(area.selText(), u"ab\nc\nd"_qs);

    area.setSelStart(4);
    area.setSelLength(3);
    EXPECT_EQ(area.selStart(), 4);
    EXPECT_EQ(area.selText(), u"c\nd"_qs);
    area.setSelText(QString());
    EXPECT_EQ(area.bytes(), QByteArray("ab\r\n"));
}

TEST(TextAreaSignals, EveryChangeIsReportedAfterTheBreaksAreKnown)
{
    TextArea area;
    QList<qint64> lengths;
    QObject::connect(&area, &TextArea::contentChanged, [&] { lengths.append(area.byteLength()); });
    area.setBytes("a\r\nb");
    ASSERT_FALSE(lengths.isEmpty());
    EXPECT_EQ(lengths.last(), 4);
    area.moveCursor(QTextCursor::End);
    QTest::keyClicks(&area, "c");
    EXPECT_EQ(lengths.last(), 5);
}

TEST(TextAreaContextMenu, OffersTheOneUndoAndNoRedo)
{
    TextArea area;
    area.show();
    QTest::keyClicks(&area, "word");
    QStringList offered;
    // Runs inside the menu's own event loop: reads its items and picks Undo.
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions()) {
            offered << action->objectName();
            if (action->objectName() == u"edit-undo" && action->isEnabled())
                action->trigger();
        }
        menu->close();
    });
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5),
                                 area.viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(area.viewport(), &rightClick);

    EXPECT_TRUE(offered.contains(u"edit-undo"_qs));
    EXPECT_FALSE(offered.contains(u"edit-redo"_qs));
    EXPECT_EQ(area.bytes(), QByteArray());
    // The keyboard's undo now puts the word back, as a second undo does.
    QTest::keyClick(&area, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(area.bytes(), QByteArray("word"));
}

// A replaced text gives its memory back to the system, even while large freed buffers are kept
// for reuse; the child keeps that keeping from the other tests.
TEST(TextAreaMemory, AReplacedTextGivesItsMemoryBack)
{
    const ChildOutcome child = RunInChild([](int output) {
        ReuseLargeBuffers();
        TextArea area;
        const qint64 before = ResidentKib();
        area.setBytes(QByteArray(80, 'x').append("\r\n").repeated(200000));
        const qint64 holding = ResidentKib();
        area.setBytes({});
        WriteToParent(output, QByteArray::number(holding - before) + ' ' +
                                  QByteArray::number(ResidentKib() - before));
        return 0;
    });
    const QList<QByteArray> kib = child.output.split(' ');
    EXPECT_GT(kib.value(0).toLongLong(), 64 << 10) << "the text was not held at all";
    EXPECT_LT(kib.value(1).toLongLong(), 8 << 10) << "KiB kept after the text went";
}
