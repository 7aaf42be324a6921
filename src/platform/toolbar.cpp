#include "platform/toolbar.h"

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
    button->setIcon(images_.icon(pictureKey));
    button->setIconSize(images_.imageSize());
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
}

void Toolbar::fitToButtons()
{
    layout()->setContentsMargins(ButtonMargin, ButtonMargin, ButtonMargin, ButtonMargin);
}

QToolButton *Toolbar::button(const QString &key) const
{
    return findChild<QToolButton *>(key, Qt::FindDirectChildrenOnly);
}
