#include "controls/statusbar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <QTimer>

StatusBar::StatusBar(QWidget *parent)
    : QStatusBar(parent), panels_(new QWidget(this)), textPanel_(new QLabel(panels_)),
      clockPanel_(new QLabel(panels_)), clock_(new QTimer(this))
{
    setSizeGripEnabled(false);
    textPanel_->setObjectName(QStringLiteral("StatusBar1Panel1"));
    clockPanel_->setObjectName(QStringLiteral("StatusBar1Panel2"));
    textPanel_->setFrameShape(QFrame::Panel);
    textPanel_->setFrameShadow(QFrame::Sunken);
    clockPanel_->setFrameShape(QFrame::Panel);
    clockPanel_->setFrameShadow(QFrame::Sunken);
    clockPanel_->setAlignment(Qt::AlignCenter);
    // The panels stand in a row of their own: the bar's layout would keep a margin and a message
    // area before them, and hide them for a message.
    panels_->setObjectName(QStringLiteral("StatusBar1Panels"));
    auto *row = new QHBoxLayout(panels_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(PanelGap);
    row->addWidget(textPanel_);
    row->addWidget(clockPanel_);
    row->addStretch(1);

    connect(clock_, &QTimer::timeout, this, &StatusBar::showTime);
    clock_->start(1000);
    showTime();
}

void StatusBar::resizeEvent(QResizeEvent *event)
{
    QStatusBar::resizeEvent(event);
    panels_->setGeometry(rect().marginsRemoved(PanelBorders));
}

void StatusBar::setPanelWidths(int first, int second)
{
    textPanel_->setFixedWidth(first);
    clockPanel_->setFixedWidth(second);
}

void StatusBar::setPanelText(int panel, const QString &text)
{
    if (QLabel *label = this->panel(panel))
        label->setText(text);
}

QString StatusBar::panelText(int panel) const
{
    const QLabel *label = this->panel(panel);
    return label ? label->text() : QString();
}

QLabel *StatusBar::panel(int panel) const
{
    switch (panel) {
    case 1:
        return textPanel_;
    case 2:
        return clockPanel_;
    default:
        return nullptr;
    }
}

void StatusBar::showTime()
{
    const QLocale locale;
    // Some locales' short format still shows seconds; the clock shows hours and minutes.
    QString format = locale.timeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(u"[^hHmaAp]*s+"_qs));
    const QString now = locale.toString(QTime::currentTime(), format);
    if (clockPanel_->text() != now)
        clockPanel_->setText(now);
}
