#include "about/form2.h"

#include "about/handcursor.h"
#include "about/linklabel.h"
#include "about/programicon.h"
#include "controls/contrast.h"
#include "controls/placement.h"
#include "controls/systemcolours.h"
#include "launch/module1.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>

namespace {

// The box is laid out in twips, 1440 to the inch: 15 to a logical pixel.
constexpr int Pixels(int twips)
{
    return twips / 15;
}

QRect TwipsRect(int left, int top, int width, int height)
{
    return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
}

// A plain filled rectangle: the white panel, and the one-pixel lines in a colour of the palette.
QWidget *AddFill(QWidget *form, const QString &name, const QRect &geometry,
                 QPalette::ColorRole colour)
{
    auto *fill = new QWidget(form);
    fill->setObjectName(name);
    fill->setGeometry(geometry);
    fill->setBackgroundRole(colour);
    fill->setAutoFillBackground(true);
    return fill;
}

// A line from one point to another, one pixel wide; like the pen that draws it, it stops short
// of its end point.
QWidget *AddLine(QWidget *form, const QString &name, int x1, int y1, int x2, int y2,
                 QPalette::ColorRole colour)
{
    const QRect geometry = x1 == x2 ? QRect(Pixels(x1), Pixels(y1), 1, Pixels(y2 - y1))
                                    : QRect(Pixels(x1), Pixels(y1), Pixels(x2 - x1), 1);
    return AddFill(form, name, geometry, colour);
}

// A left-aligned label on white, text from the top, no border.
template <typename Label = QLabel>
Label *AddLabel(QWidget *form, const QString &name, const QString &text, const QRect &geometry)
{
    auto *label = new Label(text, form);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    return label;
}

} // namespace

Form2::Form2(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(u"Form2"_qs);
    setWindowTitle(u"About Vellum"_qs);
    setFixedSize(Pixels(5040), Pixels(3675));
    setModal(true);

    // Made first, so that it lies beneath everything else.
    QWidget *shape1 = AddFill(this, u"Shape1"_qs, TwipsRect(720, 0, 4335, 3135), QPalette::Window);
    QPalette white = shape1->palette();
    white.setColor(QPalette::Window, Qt::white);
    shape1->setPalette(white);

    auto *image1 = new QLabel(this);
    image1->setObjectName(u"Image1"_qs);
    image1->setGeometry(TwipsRect(120, 360, 480, 480));
    image1->setPixmap(QPixmap::fromImage(ProgramIconImage(32)));
    image1->setAccessibleName(u"Vellum icon"_qs);

    notices_ << AddLabel(this, u"Label1"_qs, u"Copyright \u00A9 2026, the Vellum authors"_qs,
                         TwipsRect(840, 120, 3615, 255));
    notices_ << AddLabel(this, u"Label2"_qs, u"All rights reserved."_qs,
                         TwipsRect(840, 360, 3615, 255));
    QLabel *label3 =
        AddLabel(this, u"Label3"_qs,
                 u"Vellum is free software under the BSD 2-Clause License: you may use it, "
                 u"copy it and hand it on, changed or not, as long as the copyright notice "
                 u"and the license go with it. It comes as it is, without any warranty."_qs,
                 TwipsRect(840, 720, 3975, 1695));
    label3->setWordWrap(true);
    notices_ << label3;
    notices_ << AddLabel(this, u"Label4"_qs, u"Visit Vellum's home page:"_qs,
                         TwipsRect(840, 2520, 4095, 255));

    Label5 =
        AddLabel<LinkLabel>(this, u"Label5"_qs, HomePageAddress, TwipsRect(1080, 2760, 2175, 255));
    QPalette blue = Label5->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label5->setPalette(blue);
    Label5->setCursor(HandCursor());

    Command1 = new QPushButton(u"OK"_qs, this);
    Command1->setObjectName(u"Command1"_qs);
    Command1->setGeometry(TwipsRect(1920, 3240, 1215, 345));
    Command1->setDefault(true);
    Command1->setFocus();

    // Two etched separators: shadow beside light, between the icon's strip and the panel, and
    // shadow above highlight, between the upper part and the button's strip.
    AddLine(this, u"Line2"_qs, 720, 0, 720, 3120, QPalette::Dark);
    line3_ = AddLine(this, u"Line3"_qs, 735, 0, 735, 3120, QPalette::Window);
    AddLine(this, u"Line1"_qs, 0, 3120, 5040, 3120, QPalette::Dark);
    AddLine(this, u"Line4"_qs, 0, 3135, 5040, 3135, QPalette::Light);

    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Label5, &LinkLabel::clicked, this, &Form2::Label5_Click);
    fitColoursToPalette();
}

// The notices stand on a white panel whatever the palette: their text keeps the palette's colour
// only while it reads on white. The 3-D light line takes the colour of the style's light edge.
void Form2::fitColoursToPalette()
{
    const QColor text = ReadableOn(palette().color(QPalette::WindowText), Qt::white, TextContrast);
    for (QLabel *notice : std::as_const(notices_)) {
        QPalette colours = notice->palette();
        colours.setColor(QPalette::WindowText, text);
        notice->setPalette(colours);
    }
    QPalette light = line3_->palette();
    light.setColor(QPalette::Window, ThreeDLight(this));
    line3_->setPalette(light);
}

void Form2::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    const bool recolour =
        event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange;
    // The lines come last in the constructor; until then there is nothing to colour.
    if (recolour && line3_)
        fitColoursToPalette();
}

void Form2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && parentWidget())
        CentreOverOwner(this, parentWidget());
}

void Form2::Command1_Click()
{
    close();
}

// The box stays open whatever the launch gives; a failure box appears above it.
void Form2::Label5_Click()
{
    LaunchURL(this, HomePageAddress, 0);
}

void ShowAboutBox(QWidget *owner)
{
    Form2 aboutBox(owner);
    aboutBox.exec();
}
