#include "about/form2.h"
#include "about/programicon.h"
#include "launch/privatedesktop.h"
#include "support/palettes.h"
#include "support/scriptedmsgbox.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include <functional>

namespace {

QWidget *Control(const Form2 &box, const char *name)
{
    return box.findChild<QWidget *>(QString::fromLatin1(name));
}

QLabel *Label(const Form2 &box, const char *name)
{
    return box.findChild<QLabel *>(QString::fromLatin1(name));
}

TEST(Form2, ControlsStandWhereTheBoxIsLaidOut)
{
    Form2 box(nullptr);
    EXPECT_EQ(box.windowTitle(), u"About Vellum"_qs);
    EXPECT_EQ(box.minimumSize(), QSize(336, 245));
    EXPECT_EQ(box.maximumSize(), QSize(336, 245));

    const struct
    {
        const char *name;
        QRect geometry;
    } controls[] = {
        {"Shape1", {48, 0, 289, 209}},  {"Image1", {8, 24, 32, 32}},
        {"Label1", {56, 8, 241, 17}},   {"Label2", {56, 24, 241, 17}},
        {"Label3", {56, 48, 265, 113}}, {"Label4", {56, 168, 273, 17}},
        {"Label5", {72, 184, 145, 17}}, {"Command1", {128, 216, 81, 23}},
        {"Line2", {48, 0, 1, 208}},     {"Line3", {49, 0, 1, 208}},
        {"Line1", {0, 208, 336, 1}},    {"Line4", {0, 209, 336, 1}},
    };
    for (const auto &control : controls) {
        const QWidget *widget = Control(box, control.name);
        ASSERT_NE(widget, nullptr) << control.name;
        EXPECT_EQ(widget->geometry(), control.geometry) << control.name;
    }
    // The panel lies beneath everything else.
    EXPECT_EQ(box.findChildren<QWidget *>(Qt::FindDirectChildrenOnly).first()->objectName(),
              u"Shape1"_qs);
}

TEST(Form2, ShowsTheIconTheEtchedLinesAndTheWhitePanel)
{
    Form2 box(nullptr);
    const QImage drawn = box.grab().toImage();
    const QPalette palette = box.palette();
    const QRgb white = qRgb(255, 255, 255);

    EXPECT_EQ(drawn.pixel(48, 100), palette.color(QPalette::Dark).rgb());
    // The 3-D light of the desktop's style: lighter than the face, not Qt's darker Midlight.
    EXPECT_EQ(drawn.pixel(49, 100), LightEdgeOfSunkenPanel(palette));
    EXPECT_GT(qGray(drawn.pixel(49, 100)), qGray(palette.color(QPalette::Button).rgb()));
    EXPECT_EQ(drawn.pixel(20, 208), palette.color(QPalette::Dark).rgb());
    EXPECT_EQ(drawn.pixel(300, 208), palette.color(QPalette::Dark).rgb());
    EXPECT_EQ(drawn.pixel(20, 209), palette.color(QPalette::Light).rgb());
    EXPECT_EQ(drawn.pixel(20, 120), palette.color(QPalette::Window).rgb()); // the icon's strip
    EXPECT_EQ(drawn.pixel(20, 230), palette.color(QPalette::Window).rgb()); // the button's strip
    EXPECT_EQ(drawn.pixel(330, 100), white);
    EXPECT_EQ(drawn.pixel(60, 200), white);
    EXPECT_EQ(drawn.pixel(50, 3), white);

    // Every opaque pixel of the icon, at its natural size.
    const QImage icon = ProgramIconImage(32).convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (qAlpha(icon.pixel(x, y)) != 255)
                continue;
            ++opaque;
            EXPECT_EQ(drawn.pixel(8 + x, 24 + y), icon.pixel(x, y)) << x << "," << y;
        }
    }
    EXPECT_GT(opaque, 0);

    // The link's text is drawn in pure blue.
    bool blue = false;
    for (int y = 184; y < 201 && !blue; ++y)
        for (int x = 72; x < 217 && !blue; ++x)
            blue = drawn.pixel(x, y) == qRgb(0, 0, 255);
    EXPECT_TRUE(blue);
}

// On a dark palette the panel stays white: its notices turn dark rather than vanish, the link
// keeps its blue, and the 3-D light line follows the dark palette's style.
TEST(Form2, NoticesAndLinkReadOnTheWhitePanelInADarkPalette)
{
    const DarkPalette dark;
    Form2 box(nullptr);
    const QImage drawn = box.grab().toImage();
    EXPECT_LT(ContrastRatio(box.palette().color(QPalette::WindowText), Qt::white), TextContrast);
    for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Label5"}) {
        const QLabel *label = Label(box, name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_GE(StrongestContrast(drawn, label->geometry(), Qt::white), TextContrast) << name;
    }
    EXPECT_EQ(drawn.pixel(330, 100), qRgb(255, 255, 255));
    EXPECT_EQ(drawn.pixel(49, 100), LightEdgeOfSunkenPanel(box.palette()));
}

TEST(Form2, LabelsReadWholeOnWhiteAndOnlyOKTakesTheFocus)
{
    Form2 box(nullptr);
    for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Label5"}) {
        const QLabel *label = Label(box, name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_FALSE(label->text().isEmpty()) << name;
        EXPECT_EQ(label->alignment(), Qt::AlignLeft | Qt::AlignTop) << name;
        EXPECT_EQ(label->frameShape(), QFrame::NoFrame) << name;
        EXPECT_TRUE(label->autoFillBackground()) << name;
        EXPECT_EQ(label->palette().color(QPalette::Window), QColor(255, 255, 255)) << name;
        // Nothing is cut off: one line fits its width, the notice its box.
        if (label->wordWrap())
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
        else
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                << name;
    }
    EXPECT_TRUE(Label(box, "Label3")->wordWrap());
    EXPECT_TRUE(Label(box, "Label4")->text().endsWith(u':'));

    const QLabel *link = Label(box, "Label5");
    EXPECT_EQ(link->text(), HomePageAddress);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_FALSE(link->font().underline());
    EXPECT_EQ(link->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(link->cursor().hotSpot(), QPoint(13, 9));

    const auto *ok = box.findChild<QPushButton *>(u"Command1"_qs);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), u"OK"_qs);
    EXPECT_TRUE(ok->isDefault());
    for (const QWidget *widget : box.findChildren<QWidget *>())
        EXPECT_EQ(widget->focusPolicy() != Qt::NoFocus, widget == ok)
            << widget->objectName().toStdString();

    const Qt::WindowFlags flags = box.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowContextHelpButtonHint));
    EXPECT_TRUE(box.isModal());
}

// Runs check on the About box once it is up and active, then closes it with close. It waits for
// the activation itself, however long a loaded machine takes, and only gives up (closing whatever
// About box there is) when none comes in half a minute.
void WhenTheBoxIsUp(const std::function<void(Form2 *)> &check,
                    const std::function<void(Form2 *)> &close)
{
    QTimer::singleShot(0, [=] {
        Form2 *box = nullptr;
        const bool up = QTest::qWaitFor(
            [&box] {
                box = qobject_cast<Form2 *>(QApplication::activeModalWidget());
                return box && box->isVisible() && QApplication::activeWindow() == box;
            },
            30000);
        if (up) {
            check(box);
            close(box);
            return;
        }
        ADD_FAILURE() << "no About box came up";
        for (QWidget *window : QApplication::topLevelWidgets())
            if (qobject_cast<Form2 *>(window))
                window->close();
    });
}

TEST(ShowAboutBox, EachShowingIsANewModalBoxCentredOverItsOwner)
{
    QWidget owner;
    owner.setGeometry(200, 150, 494, 408);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner, 30000));

    const QList<std::function<void(Form2 *)>> closings{
        [](Form2 *box) { QTest::mouseClick(Control(*box, "Command1"), Qt::LeftButton); },
        [](Form2 *box) { QTest::keyClick(box, Qt::Key_Return); },
        [](Form2 *box) { QTest::keyClick(box, Qt::Key_Escape); },
        [](Form2 *box) { box->close(); }, // the title bar's close button
    };
    for (qsizetype showing = 0; showing < closings.size(); ++showing) {
        QPointer<Form2> shown;
        WhenTheBoxIsUp(
            [&](Form2 *box) {
                shown = box;
                EXPECT_FALSE(box->property("shownBefore").isValid()) << showing;
                box->setProperty("shownBefore", true);
                EXPECT_EQ(box->parentWidget(), &owner);
                EXPECT_TRUE(box->isModal());
                EXPECT_EQ(QApplication::focusWidget(), Control(*box, "Command1"));
                const QPoint offset = box->geometry().center() - owner.geometry().center();
                EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
            },
            closings[showing]);

        ShowAboutBox(&owner);

        EXPECT_TRUE(shown.isNull()) << "the box of showing " << showing << " was kept";
    }
}

DesktopSetup BrowserFor(const QString &address)
{
    DesktopSetup setup;
    setup.urlSchemes = QStringList{QUrl(address).scheme()};
    return setup;
}

TEST(Form2Link, AClickOpensTheHomePageAndTheBoxStaysOpen)
{
    if (RerunOnPrivateDesktop(BrowserFor(HomePageAddress)))
        return;
    Form2 box(nullptr);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box, 30000));
    ScriptedMsgBox boxes;

    QTest::mouseClick(Control(box, "Label5"), Qt::LeftButton);

    const QList<RecordedLaunch> launches = WaitForLaunches(1);
    ASSERT_EQ(launches.size(), 1);
    EXPECT_EQ(launches.first().arguments, QStringList{HomePageAddress});
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_TRUE(box.isVisible());
}

TEST(Form2Link, WithoutABrowserTheFailureBoxLeavesTheAboutBoxOpen)
{
    if (RerunOnPrivateDesktop(DesktopSetup()))
        return;
    Form2 box(nullptr);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box, 30000));
    ScriptedMsgBox boxes;

    QTest::mouseClick(Control(box, "Label5"), Qt::LeftButton);

    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().title, u"Address Access Error"_qs);
    EXPECT_EQ(boxes.shown().first().text,
              u"URL Access Failed: There was no program associated to this Address. To view this "
              u"Internet address a associated Internet browser is needed."_qs);
    EXPECT_EQ(boxes.shown().first().style, MsgBoxStyle::Critical);
    EXPECT_TRUE(box.isVisible());
    EXPECT_TRUE(NothingLaunched());
}

} // namespace
