#pragma once

#include "platform/msgbox.h"

#include <QList>
#include <QString>

// Stands in for the message box while it lives: records every box and answers with the answers
// the test queued, in order (OK when the queue is empty).
class ScriptedMsgBox
{
public:
    struct Shown
    {
        QString title;
        QString text;
        int style;
    };

    ScriptedMsgBox();
    ~ScriptedMsgBox();
    ScriptedMsgBox(const ScriptedMsgBox &) = delete;
    ScriptedMsgBox &operator=(const ScriptedMsgBox &) = delete;

    void answer(int value) { answers_.append(value); }
    const QList<Shown> &shown() const { return shown_; }

private:
    QList<int> answers_;
    QList<Shown> shown_;
    MsgBoxHandler previous_;
};
