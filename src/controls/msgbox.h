#pragma once

#include <QString>
#include <functional>

// Message boxes are known by a style value (the sum of a button set and an icon) and answer with
// a number, so that the commands read as the tables of titles and sentences they show.
namespace MsgBoxStyle {
inline constexpr int OkOnly = 0;
inline constexpr int YesNoCancel = 3;
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
} // namespace MsgBoxStyle

namespace MsgBoxAnswer {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace MsgBoxAnswer

// Shows a modal box and returns the answer; closing a Yes/No/Cancel box answers Cancel.
int MsgBox(const QString &prompt, int style, const QString &title);

// Every box goes through one handler: Qt's message box unless a test has installed its own.
// Returns the handler that was installed before; an empty handler restores Qt's.
using MsgBoxHandler = std::function<int(const QString &prompt, int style, const QString &title)>;
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);
