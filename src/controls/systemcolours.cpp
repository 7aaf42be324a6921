#include "controls/systemcolours.h"

#include <QFrame>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWidget>

QColor ThreeDLight(const QWidget *widget)
{
    constexpr int side = 8;
    QImage panel(side, side, QImage::Format_ARGB32_Premultiplied);
    panel.fill(Qt::transparent);
    QStyleOptionFrame option;
    option.initFrom(widget);
    option.rect = panel.rect();
    option.state |= QStyle::State_Sunken;
    option.frameShape = QFrame::Panel;
    option.lineWidth = 1;
    option.midLineWidth = 0;
    {
        QPainter painter(&panel);
        widget->style()->drawControl(QStyle::CE_ShapedFrame, &option, &painter);
    }
    // The light edge runs down the right side and along the bottom.
    const QColor edge = panel.pixelColor(side - 1, side / 2);
    return edge.alpha() == 255 ? edge : widget->palette().color(QPalette::Light);
}
