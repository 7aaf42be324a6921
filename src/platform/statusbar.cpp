#include "platform/statusbar.h"

#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <QTimer>

StatusBar::StatusBar(QWidget *parent)
    : QStatusBar(parent), textPanel_(new QLabel(this)), clockPanel_(new QLabel(this)),
      clock_(new QTimer(this))
{
    setSizeGripEnabled(false);
    textPanel_->setObjectName(QStringLiteral("StatusBar1Panel1"));
    clockPanel_->setObjectName(QStringLiteral("StatusBar1Panel2"));
    textPanel_->setFrameShape(QFrame::Panel);
    textPanel_->setFrameShadow(QFrame::Sunken);
    clockPanel_->setFrameShape(QFrame::Panel);
    clockPanel_->setFrameShadow(QFrame::Sunken);
    clockPanel_->setAlignment(Qt::AlignCenter);
    addPermanentWidget(textPanel_);
    addPermanentWidget(clockPanel_);

    connect(clock_, &QTimer::timeout, this, &StatusBar::showTime);
    clock_->start(1000);
    showTime();
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
