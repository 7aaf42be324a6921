#include "platform/toolbar.h"

#include <QToolButton>

Toolbar::Toolbar(QWidget *parent) : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setFocusPolicy(Qt::NoFocus);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
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

QToolButton *Toolbar::button(const QString &key) const
{
    return findChild<QToolButton *>(key, Qt::FindDirectChildrenOnly);
}
