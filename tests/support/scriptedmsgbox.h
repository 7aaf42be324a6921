#pragma once

#include "controls/msgbox.h"

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
        int style = -1;

        bool operator==(const Shown &) const = default;
    };

    ScriptedMsgBox();
    ~ScriptedMsgBox();
    ScriptedMsgBox(const ScriptedMsgBox &) = delete;
    ScriptedMsgBox &operator=(const ScriptedMsgBox &) = delete;

    void answer(int value) { answers_.append(value); }
    const QList<Shown> &shown() const { return shown_; }

    // The one box shown, for a test that expects exactly one; an empty box when there were more
    // or none.
    Shown only() const { return shown_.size() == 1 ? shown_.first() : Shown{}; }

private:
    QList<int> answers_;
    QList<Shown> shown_;
    MsgBoxHandler previous_;
};
