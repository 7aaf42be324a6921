#pragma once

#include <QObject>

// While it lives, the program's windows take no input, as under a modal dialog shown by another
// program: no key, click, shortcut, dropped file or request to close reaches them. They go on
// painting and answering the window system, since the event loop keeps running, and keep track
// of which window is active, so that keys work again at once when it ends.
class ModalBlock : public QObject
{
public:
    ModalBlock();
    ~ModalBlock() override;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;
};
