#include "app/guide.h"

#include "app/twips.h"
#include "controls/contrast.h"
#include "controls/systemcolours.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>

namespace {

// Positions are in twips, in the panel's inner area.

struct Bar
{
    int left, top, width, height;
    QColor fill;
};

// Indexed as the control array Frame3.
const Bar Bars[] = {
    {960, 4800, 5535, 30, QColor(255, 0, 0)},     // under line 18
    {960, 3840, 5535, 30, QColor(255, 192, 128)}, // under line 14
    {960, 2880, 5535, 30, QColor(0, 0, 255)},     // under line 10, the standard maximum
    {6345, 480, 30, 4815, QColor(255, 0, 0)},     // after column 45: the red column
};

struct Caption
{
    const char16_t *text;
    int left, top, width, height;
};

// Indexed as the control array Label1.
const Caption Captions[] = {
    {u"Maximum 45 characters across", 2520, 120, 2295, 255},
    {u"Standard Maximum (10 Lines)", 120, 2280, 735, 615},
    {u"2", 600, 840, 255, 255},
    {u"4", 600, 1320, 255, 255},
    {u"6", 600, 1800, 255, 255},
    {u"12", 600, 3240, 255, 255},
    {u"14", 600, 3720, 255, 255},
    {u"16", 600, 4200, 255, 255},
    {u"18", 600, 4680, 255, 255},
    {u"No character at red column", 6600, 480, 735, 855},
};
constexpr int LineRulerCaption = 1;
constexpr int NoteCaption = 9;

constexpr QRect TextAreaRect = PixelRect(960, 480, 5535, 4815);
constexpr QRect LightPanel = PixelRect(6480, 480, 855, 4815);
constexpr QRect RedBlock = PixelRect(6375, 240, 135, 255);

struct Line
{
    int x1, y1, x2, y2;
    bool shadow; // in the button-shadow colour rather than the window-text colour
};
constexpr int MarkOnLightPanel = 23;

// Indexed as the control array Line1.
const Line Lines[] = {
    {0, 2880, 960, 2880, false},   {6360, 480, 6360, 240, false}, {1560, 480, 1560, 360, false},
    {2160, 480, 2160, 360, false}, {2760, 480, 2760, 360, false}, {3360, 480, 3360, 360, false},
    {3960, 480, 3960, 360, false}, {4560, 480, 4560, 360, false}, {5160, 480, 5160, 360, false},
    {5760, 480, 5760, 360, false}, {960, 3360, 840, 3360, false}, {960, 3840, 840, 3840, false},
    {960, 4320, 840, 4320, false}, {6840, 480, 6840, 360, false}, {960, 240, 2520, 240, false},
    {6600, 240, 6480, 360, false}, {6360, 240, 4800, 240, false}, {960, 4800, 840, 4800, false},
    {6480, 360, 6840, 360, false}, {0, 5280, 960, 5280, false},   {960, 240, 960, 0, true},
    {960, 480, 0, 480, true},      {6480, 360, 6600, 480, false}, {6480, 2880, 7320, 2880, false},
    {960, 960, 840, 960, false},   {960, 1440, 840, 1440, false}, {960, 1920, 840, 1920, false},
    {960, 480, 960, 240, false},   {960, 2400, 840, 2400, false},
};

// The panel's inner area: paints the two shapes, then the lines, one pixel wide.
class GuideSurface : public QWidget
{
public:
    using QWidget::QWidget;

    // The light panel's colour, the desktop's 3-D light.
    void setLight(const QColor &light)
    {
        light_ = light;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(LightPanel, light_);
        painter.fillRect(RedBlock, QColor(255, 0, 0));
        const QColor ink = palette().color(QPalette::WindowText);
        int index = 0;
        for (const Line &line : Lines) {
            QColor colour = line.shadow ? palette().color(QPalette::Dark) : ink;
            if (index++ == MarkOnLightPanel)
                colour = ReadableOn(ink, light_, GraphicContrast);
            const QPoint from = PixelPoint(line.x1, line.y1);
            const QPoint to = PixelPoint(line.x2, line.y2);
            if (from.x() == to.x() || from.y() == to.y()) {
                // Filled as a rectangle, end points included, so the line covers whole pixels
                // at every scale.
                const QRect pixels(QPoint(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
                                   QPoint(std::max(from.x(), to.x()), std::max(from.y(), to.y())));
                painter.fillRect(pixels, colour);
            } else {
                painter.setPen(QPen(colour, 1));
                painter.drawLine(from, to);
            }
        }
    }

private:
    QColor light_;
};

// A bar, or the keyline round one: decoration that assistive technology does not list.
class Decoration : public QWidget
{
public:
    explicit Decoration(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
};

// A one-pixel frame round a bar that would not stand out from the text area's dark paper.
class Keyline : public Decoration
{
public:
    using Decoration::Decoration;

    void setColour(const QColor &colour)
    {
        colour_ = colour;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(colour_);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    QColor colour_;
};

// The guide's inner area as assistive technology sees it: the captions and the text area, not
// the bars and keylines, which only repeat what the captions say.
class AccessibleGuideSurface : public QAccessibleWidget
{
public:
    explicit AccessibleGuideSurface(QWidget *surface) : QAccessibleWidget(surface) {}

    int childCount() const override { return int(listedChildren().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> children = listedChildren();
        if (index < 0 || index >= children.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(children.at(index));
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        return int(listedChildren().indexOf(qobject_cast<QWidget *>(child->object())));
    }

private:
    QList<QWidget *> listedChildren() const
    {
        QList<QWidget *> children;
        for (QObject *object : widget()->children()) {
            auto *child = qobject_cast<QWidget *>(object);
            if (child && !child->isWindow() && !dynamic_cast<Decoration *>(child))
                children.append(child);
        }
        return children;
    }
};

QAccessibleInterface *AccessibleGuideSurfaceFactory(const QString &, QObject *object)
{
    if (auto *surface = dynamic_cast<GuideSurface *>(object))
        return new AccessibleGuideSurface(surface);
    return nullptr;
}

} // namespace

QFont FittedFont(QFont font, const QList<QPair<QString, QSize>> &texts)
{
    const auto fits = [&texts](const QFont &candidate) {
        const QFontMetricsF metrics(candidate);
        for (const auto &[text, size] : texts) {
            const QRectF box(QPointF(0, 0), QSizeF(size));
            const QRectF used = metrics.boundingRect(box, Qt::TextWordWrap, text);
            if (used.width() > box.width() || used.height() > box.height())
                return false;
        }
        return true;
    };
    constexpr qreal step = 0.25;
    constexpr qreal smallest = 5;
    while (font.pointSizeF() - step >= smallest && !fits(font))
        font.setPointSizeF(font.pointSizeF() - step);
    return font;
}

GuidePanel::GuidePanel(QWidget *parent) : QFrame(parent), surface_(new GuideSurface(this))
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(AccessibleGuideSurfaceFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::NoFocus);
    QPalette panelPalette = palette();
    panelPalette.setColor(QPalette::Window, panelPalette.color(QPalette::Button));
    setPalette(panelPalette);
    setAutoFillBackground(true);
    surface_->setObjectName(u"GuideSurface"_qs);

    int index = 0;
    for (const Caption &caption : Captions) {
        auto *label = new QLabel(QString::fromUtf16(caption.text), surface_);
        label->setObjectName(u"Label1(%1)"_qs.arg(index));
        label->setGeometry(PixelRect(caption.left, caption.top, caption.width, caption.height));
        // A one-line caption is centred on the line through the middle of its box: the ruler's
        // caption is set into its dimension line, each number stands at its tick. The captions
        // of several lines start at the top of their boxes.
        const bool severalLines = index == LineRulerCaption || index == NoteCaption;
        label->setAlignment(Qt::AlignLeft | (severalLines ? Qt::AlignTop : Qt::AlignVCenter));
        label->setWordWrap(true);
        label->setAutoFillBackground(index == NoteCaption);
        captions_.append(label);
        ++index;
    }
    captionFont_ = fitCaptionFont();
    for (QLabel *label : std::as_const(captions_))
        label->setFont(captionFont_);

    index = 0;
    for (const Bar &bar : Bars) {
        const QRect place = PixelRect(bar.left, bar.top, bar.width, bar.height);
        auto *keyline = new Keyline(surface_);
        keyline->setObjectName(u"Frame3(%1)Keyline"_qs.arg(index));
        keyline->setGeometry(place.adjusted(-1, -1, 1, 1));
        keylines_.append(keyline);

        auto *widget = new Decoration(surface_);
        widget->setObjectName(u"Frame3(%1)"_qs.arg(index++));
        widget->setGeometry(place);
        QPalette barPalette = widget->palette();
        barPalette.setColor(QPalette::Window, bar.fill);
        widget->setPalette(barPalette);
        widget->setAutoFillBackground(true);
        bars_.append(widget);
    }
    fitColoursToPalette();
}

void GuidePanel::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    const bool recolour =
        event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange;
    // The constructor sets the panel's palette before it makes the bars; it colours them itself.
    if (recolour && !keylines_.isEmpty())
        fitColoursToPalette();
}

// The light panel and the note take the style's 3-D light; what stands on a colour of its own
// keeps a readable contrast with it. On a dark palette, a bar that would melt into the text
// area's paper gets a keyline in the text's colour; on a light one no bar has a keyline.
void GuidePanel::fitColoursToPalette()
{
    const QColor light = ThreeDLight(this);
    static_cast<GuideSurface *>(surface_)->setLight(light);

    QLabel *note = captions_.at(NoteCaption);
    QPalette notePalette = note->palette();
    notePalette.setColor(QPalette::Window, light);
    notePalette.setColor(QPalette::WindowText,
                         ReadableOn(palette().color(QPalette::WindowText), light, TextContrast));
    note->setPalette(notePalette);

    const QColor paper = palette().color(QPalette::Base);
    const QColor text = palette().color(QPalette::Text);
    const bool dark = LightOnDark(text, paper);
    for (qsizetype index = 0; index < bars_.size(); ++index) {
        const QColor fill = Bars[index].fill;
        auto *keyline = static_cast<Keyline *>(keylines_.at(index));
        keyline->setColour(ReadableOn(text, fill, GraphicContrast));
        keyline->setVisible(dark && ContrastRatio(fill, paper) < GraphicContrast);
    }
}

void GuidePanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    surface_->setGeometry(contentsRect());
}

void GuidePanel::holdTextArea(QPlainTextEdit *textArea)
{
    textArea->setParent(surface_);
    textArea->setGeometry(TextAreaRect);
    for (qsizetype index = 0; index < bars_.size(); ++index) {
        keylines_.at(index)->raise();
        bars_.at(index)->raise();
    }
}

QFont GuidePanel::fitCaptionFont() const
{
    QList<QPair<QString, QSize>> texts;
    for (const Caption &caption : Captions)
        texts.append({QString::fromUtf16(caption.text),
                      PixelRect(caption.left, caption.top, caption.width, caption.height).size()});
    return FittedFont(font(), texts);
}
