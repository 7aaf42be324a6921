#include "shownform.h"

#include "app/toolbarpictures.h"
#include "support/palettes.h"
#include "textarea/textarea.h"

#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
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

    QColor colourAt(int x, int y) const { return QColor::fromRgb(at(x, y)); }

    // The strongest contrast of any pixel in the area with the background.
    double strongestContrast(const QRect &area, const QColor &background) const
    {
        double strongest = 1;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                strongest = std::max(strongest, ContrastRatio(colourAt(x, y), background));
        return strongest;
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
    // The 3-D light of the desktop's style, lighter than the face round it.
    const QRgb light = LightEdgeOfSunkenPanel(palette);
    EXPECT_GT(qGray(light), qGray(palette.color(QPalette::Button).rgb()));
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

// The ruler's caption is set into its dimension line, which runs through the middle of its text;
// each line number stands at its tick, centred on it.
TEST(Form1Render, CaptionsStandOnTheirLines)
{
    ShownForm shown;
    const struct
    {
        int index, lineY;
    } captions[] = {{0, 16}, {2, 64}, {3, 96}, {4, 128}, {5, 224}, {6, 256}, {7, 288}, {8, 320}};
    for (const auto &caption : captions) {
        SCOPED_TRACE(caption.index);
        QWidget *label = shown.child(u"Label1(%1)"_qs.arg(caption.index));
        ASSERT_NE(label, nullptr);
        // The caption drawn alone, without the lines that touch its box.
        const QImage alone = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb ground = label->palette().color(label->backgroundRole()).rgb();
        int top = alone.height(), bottom = -1;
        for (int y = 0; y < alone.height(); ++y)
            for (int x = 0; x < alone.width(); ++x)
                if (alone.pixel(x, y) != ground) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        ASSERT_LE(top, bottom);
        const int scale = int(alone.devicePixelRatio());
        top = label->y() + top / scale;
        bottom = label->y() + bottom / scale;
        EXPECT_LT(top, caption.lineY);
        EXPECT_GT(bottom, caption.lineY);
        EXPECT_LE(std::abs(top + bottom + 1 - 2 * caption.lineY), 4) << top << ".." << bottom;
    }
}

namespace {

// Every button shows its picture as it is, and the picture's black and navy stand out from its
// ground: the toolbar where the picture is transparent, or the tile the picture brings.
void ExpectPicturesStandOut(ShownForm &shown)
{
    const QImage drawn = shown.form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const ImageList pictures = BuildToolbarIcons();
    for (const QString &key : pictures.keys()) {
        SCOPED_TRACE(key.toStdString());
        const auto *button = qobject_cast<QToolButton *>(shown.child(key));
        ASSERT_NE(button, nullptr);
        const QImage picture = pictures.image(key);
        const QImage shownPicture =
            button->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        const QPoint toolbar = button->mapTo(&shown.form, QPoint(1, 1)) * drawn.devicePixelRatio();
        // The picture's top-left pixel is transparent: there its ground shows.
        const QRgb corner = shownPicture.pixel(0, 0);
        const QColor ground =
            QColor::fromRgb(qAlpha(corner) == 255 ? corner : drawn.pixel(toolbar));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QRgb pixel = picture.pixel(x, y);
                if (qAlpha(pixel) == 255) {
                    EXPECT_EQ(shownPicture.pixel(x, y), pixel) << x << "," << y;
                }
                if (pixel == VgaPalette[0] || pixel == VgaPalette[4]) {
                    EXPECT_GE(ContrastRatio(QColor::fromRgb(pixel), ground), GraphicContrast)
                        << x << "," << y;
                }
            }
    }
}

} // namespace

TEST(Form1Render, ToolbarPicturesStandOutOnLightAndDarkPalettes)
{
    {
        ShownForm shown;
        ExpectPicturesStandOut(shown);
    }
    const DarkPalette dark;
    ShownForm shown;
    ExpectPicturesStandOut(shown);
}

// On a dark palette the guide's own colours stay, and whatever stands on a fixed colour keeps a
// readable contrast with it: the bars with what lies beside them, the note and the mark with the
// light panel, the captions with the face.
TEST(Form1Render, DarkPaletteKeepsTheGuideReadable)
{
    const DarkPalette dark;
    ShownForm shown;
    const Picture picture(shown);
    ExpectBars(picture);

    // Beside each bar: above the horizontal ones, left of the red column.
    for (const QPoint &beside : {QPoint(100, 191), QPoint(100, 194), QPoint(100, 255),
                                 QPoint(100, 319), QPoint(422, 100)}) {
        SCOPED_TRACE(beside.y());
        const QColor bar = picture.colourAt(beside.x() == 422 ? 423 : 100,
                                            beside.y() == 194 ? 193 : beside.y() + 1);
        EXPECT_GE(ContrastRatio(picture.colourAt(beside.x(), beside.y()), bar), GraphicContrast);
    }
    // The blue bar's keyline stands out from the paper too.
    const QColor paper = shown.text()->palette().color(QPalette::Base);
    EXPECT_LT(ContrastRatio(QColor::fromRgb(Blue), paper), GraphicContrast);
    EXPECT_GE(ContrastRatio(picture.colourAt(100, 191), paper), GraphicContrast);

    const QColor panel = picture.colourAt(470, 300);
    EXPECT_EQ(panel.rgb(), LightEdgeOfSunkenPanel(shown.guide()->palette()));
    const QRect note = ShownForm::rectIn(shown.child(u"Label1(9)"_qs), shown.guide());
    EXPECT_GE(picture.strongestContrast(note, panel), TextContrast);
    EXPECT_GE(ContrastRatio(picture.colourAt(460, 192), panel), GraphicContrast);
    const QColor face = picture.colourAt(20, 100);
    for (int index = 0; index < 9; ++index) {
        SCOPED_TRACE(index);
        const QRect caption =
            ShownForm::rectIn(shown.child(u"Label1(%1)"_qs.arg(index)), shown.guide());
        EXPECT_GE(picture.strongestContrast(caption, face), TextContrast);
    }
}
