#include "controls/toolbar.h"

#include "controls/contrast.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QLayout>
#include <QToolButton>

Toolbar::Toolbar(QWidget *parent) : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setFocusPolicy(Qt::NoFocus);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    fitToButtons();
}

void Toolbar::setImageList(const ImageList &images)
{
    images_ = images;
}

QToolButton *Toolbar::addButton(const QString &key, const QString &pictureKey)
{
    auto *button = new QToolButton(this);
    button->setObjectName(key);
    button->setToolTip(key);
    button->setAccessibleName(key);
    button->setProperty("pictureKey", pictureKey);
    showPicture(button);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setFixedSize(ButtonSize);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [this, key] { emit ButtonClick(key); });
    addWidget(button);
    return button;
}

// A right click here, on a button or between them, ends here: the main window around the toolbar
// would otherwise offer to hide it.
void Toolbar::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
}

void Toolbar::changeEvent(QEvent *event)
{
    QToolBar::changeEvent(event);
    // A new style brings its own margins back.
    if (event->type() == QEvent::StyleChange)
        fitToButtons();
    if (event->type() == QEvent::PaletteChange)
        fitPicturesToPalette();
}

void Toolbar::fitPicturesToPalette()
{
    for (QToolButton *button : findChildren<QToolButton *>(Qt::FindDirectChildrenOnly)) {
        if (button->property("pictureKey").isValid())
            showPicture(button);
    }
}

void Toolbar::showPicture(QToolButton *button) const
{
    const QString key = button->property("pictureKey").toString();
    const bool dark =
        LightOnDark(palette().color(QPalette::WindowText), palette().color(QPalette::Window));
    button->setIcon(dark ? QIcon(QPixmap::fromImage(images_.imageOnTile(key, Silver)))
                         : images_.icon(key));
    button->setIconSize(images_.imageSize());
}

void Toolbar::fitToButtons()
{
    layout()->setContentsMargins(ButtonMargin, ButtonMargin, ButtonMargin, ButtonMargin);
}

QToolButton *Toolbar::button(const QString &key) const
{
    return findChild<QToolButton *>(key, Qt::FindDirectChildrenOnly);
}
