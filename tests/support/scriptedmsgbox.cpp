#include "support/scriptedmsgbox.h"

ScriptedMsgBox::ScriptedMsgBox()
{
    previous_ = SetMsgBoxHandler([this](const QString &prompt, int style, const QString &title) {
        shown_.append({title, prompt, style});
        return answers_.isEmpty() ? MsgBoxAnswer::Ok : answers_.takeFirst();
    });
}

ScriptedMsgBox::~ScriptedMsgBox()
{
    SetMsgBoxHandler(std::move(previous_));
}
