#pragma once

#include <QLabel>

// A label that works as a link: it reports a click (the left button pressed and released over
// it), and assistive technology sees a link whose press action follows it. It never takes the
// keyboard focus.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool pressed_ = false;
};
