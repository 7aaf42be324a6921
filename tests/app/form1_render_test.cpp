#include "shownform.h"

#include "platform/textarea.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

// Pixel probes on the window as drawn, at the guide's coordinates, at any scale.

namespace {

class Picture
{
public:
    explicit Picture(ShownForm &shown)
        : shown_(shown), image_(shown.form.grab().toImage().convertToFormat(QImage::Format_RGB32))
    {
    }

    // The colour at a point of the guide's inner area.
    QRgb at(int x, int y) const
    {
        const QPoint point = shown_.guide()->mapTo(&shown_.form, QPoint(x, y));
        const qreal scale = image_.devicePixelRatio();
        return image_.pixel(int(point.x() * scale), int(point.y() * scale)) | 0xff000000;
    }

    // How many pixels of the text area's first line are dark.
    int inkInFirstLine() const
    {
        int ink = 0;
        for (int x = 64; x < 64 + 46 * 8; ++x)
            for (int y = 32; y < 48; ++y)
                ink += qGray(at(x, y)) < 128;
        return ink;
    }

private:
    ShownForm &shown_;
    QImage image_;
};

constexpr QRgb Blue = 0xff0000ff;
constexpr QRgb Orange = 0xffffc080;
constexpr QRgb Red = 0xffff0000;

void ExpectBars(const Picture &picture)
{
    for (int x : {64, 100, 300, 432}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(picture.at(x, 192), Blue);
        EXPECT_EQ(picture.at(x, 193), Blue);
        EXPECT_EQ(picture.at(x, 256), Orange);
        EXPECT_EQ(picture.at(x, 257), Orange);
        EXPECT_EQ(picture.at(x, 320), Red);
        EXPECT_EQ(picture.at(x, 321), Red);
    }
    for (int y : {32, 100, 200, 300, 352}) {
        SCOPED_TRACE(y);
        EXPECT_EQ(picture.at(423, y), Red);
        EXPECT_EQ(picture.at(424, y), Red);
    }
}

QByteArray FullLines(int count)
{
    QByteArrayList lines;
    for (int line = 0; line < count; ++line)
        lines.append(QByteArray(46, 'M'));
    return lines.join("\r\n");
}

} // namespace

TEST(Form1Render, GuideShapesBarsAndLines)
{
    ShownForm shown;
    const Picture picture(shown);
    const QPalette palette = shown.guide()->palette();
    const QRgb face = palette.color(QPalette::Button).rgb();
    const QRgb light = palette.color(QPalette::Midlight).rgb();
    const QRgb ink = palette.color(QPalette::WindowText).rgb();
    const QRgb shadow = palette.color(QPalette::Dark).rgb();
    const QRgb paper = shown.text()->palette().color(QPalette::Base).rgb();

    ExpectBars(picture);
    // Beside the bars, the empty text area.
    EXPECT_EQ(picture.at(100, 191), paper);
    EXPECT_EQ(picture.at(100, 194), paper);
    EXPECT_EQ(picture.at(422, 100), paper);
    EXPECT_EQ(picture.at(425, 100), paper);

    // The red block above column 46, covered where the text area begins.
    EXPECT_EQ(picture.at(425, 16), Red);
    EXPECT_EQ(picture.at(433, 31), Red);
    EXPECT_EQ(picture.at(430, 32), paper);
    // The light panel right of the text area and the note standing on it.
    EXPECT_EQ(picture.at(432, 300), paper);
    EXPECT_EQ(picture.at(433, 300), light);
    EXPECT_EQ(picture.at(488, 352), light);
    EXPECT_EQ(picture.at(486, 86), light);
    EXPECT_EQ(picture.at(20, 100), face);

    // A sample of the lines: the marks under lines 10 and 20, ticks, the dimension line, the
    // pointer, and the two dividers in the button-shadow colour.
    EXPECT_EQ(picture.at(0, 192), ink);
    EXPECT_EQ(picture.at(63, 192), ink);
    EXPECT_EQ(picture.at(30, 352), ink);
    EXPECT_EQ(picture.at(460, 192), ink);
    EXPECT_EQ(picture.at(58, 64), ink);
    EXPECT_EQ(picture.at(58, 288), ink);
    EXPECT_EQ(picture.at(104, 24), ink);
    EXPECT_EQ(picture.at(104, 31), ink);
    EXPECT_EQ(picture.at(104, 23), face);
    EXPECT_EQ(picture.at(384, 28), ink);
    EXPECT_EQ(picture.at(100, 16), ink);
    EXPECT_EQ(picture.at(400, 16), ink);
    EXPECT_EQ(picture.at(424, 20), ink);
    EXPECT_EQ(picture.at(64, 20), ink);
    EXPECT_EQ(picture.at(456, 28), ink);
    EXPECT_EQ(picture.at(445, 24), ink);
    EXPECT_EQ(picture.at(64, 8), shadow);
    EXPECT_EQ(picture.at(30, 32), shadow);
}

TEST(Form1Render, BarsStayOverTypedAndScrolledText)
{
    ShownForm shown;
    TextArea *text = shown.text();
    for (int line = 0; line < 20; ++line) {
        if (line > 0)
            QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, QString(46, u'M'));
    }
    Picture typed(shown);
    ExpectBars(typed);
    EXPECT_GT(typed.inkInFirstLine(), 0);

    text->setBytes(FullLines(30));
    text->moveCursor(QTextCursor::End);
    ASSERT_EQ(text->verticalScrollBar()->value(), 10);
    Picture scrolled(shown);
    ExpectBars(scrolled);
    EXPECT_GT(scrolled.inkInFirstLine(), 0);
}
