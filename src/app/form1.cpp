#include "app/form1.h"

#include "about/programicon.h"
#include "app/filedrop.h"
#include "app/guide.h"
#include "app/menus.h"
#include "app/startup.h"
#include "app/toolbarpictures.h"
#include "app/twips.h"
#include "controls/statusbar.h"
#include "controls/toolbar.h"
#include "document/caption.h"
#include "document/gauge.h"
#include "files/opendocument.h"
#include "textarea/gridlayout.h"
#include "textarea/textarea.h"

#include <QLayout>
#include <QScreen>
#include <QStyle>

namespace {

// The text area's character cells, in logical pixels: the guide is drawn for this grid.
constexpr int CellWidth = 8;
constexpr int CellHeight = 16;
// Tab stops every eight columns, as DOS and terminals set them.
constexpr int TabColumns = 8;

void SetUpTextArea(TextArea *text)
{
    // The margin goes before any text is loaded, so no line is ever laid out off the grid.
    GridLayout::install(text, CellHeight);
    QFont font(u"Courier New"_qs);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(9.75);
    text->setFont(FontOnGrid(font, CellWidth));
    text->setFrameShape(QFrame::NoFrame);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    text->setTabStopDistance(TabColumns * CellWidth);
    text->setAccessibleName(u"Description"_qs);
}

} // namespace

Form1::Form1(const QString &argumentText, QWidget *parent)
    : QMainWindow(parent), Text1(new TextArea(this)), StatusBar1(new StatusBar(this)),
      CommonDialog1(this), window_{{}, *this, *Text1, *StatusBar1, CommonDialog1}
{
    setWindowTitle(InitialCaption());
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    Text1->setObjectName(u"Text1"_qs);
    StatusBar1->setObjectName(u"StatusBar1"_qs);
    BuildMenus(*this);
    layOutControls();
    SetUpTextArea(Text1);
    connect(Text1, &TextArea::contentChanged, this, [this] { Text1_Change(window_); });
    new FileDrop(Text1->viewport(),
                 [this](const QString &path) { OpenDocumentFile(window_, path); });

    Form_Load(window_, argumentText);
    Text1->setFocus();
}

// Every control has its fixed place in the client area below the menu bar.
void Form1::layOutControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(u"ClientArea"_qs);
    client->setFixedSize(Pixels(7410), Pixels(6120));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    Toolbar1 = new Toolbar(client);
    Toolbar1->setObjectName(u"Toolbar1"_qs);
    AddToolbarPositions(*Toolbar1, BuildToolbarIcons());
    connect(Toolbar1, &Toolbar::ButtonClick, this, &Form1::Toolbar1_ButtonClick);
    Toolbar1->setGeometry(PixelRect(0, 0, 7410, 360));

    Picture1 = new GuidePanel(client);
    Picture1->setObjectName(u"Picture1"_qs);
    Picture1->setGeometry(PixelRect(0, 435, 7395, 5355));
    Picture1->holdTextArea(Text1);

    StatusBar1->setParent(client);
    StatusBar1->setFont(Picture1->captionFont());
    StatusBar1->setPanelWidths(Pixels(6315), Pixels(800));
    StatusBar1->setGeometry(PixelRect(0, 5805, 7410, 315));
}

void Form1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (shownBefore_)
        return;
    shownBefore_ = true;
    if (const QScreen *screen = this->screen())
        move(QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, frameGeometry().size(),
                                 screen->availableGeometry())
                 .topLeft());
}
