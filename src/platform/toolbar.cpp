#include "platform/toolbar.h"

#include <QEvent>
#include <QLayout>
#include <QToolButton>

Toolbar::Toolbar(QWidget *parent) : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
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
