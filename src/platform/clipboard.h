#pragma once

#include <QString>

// The desktop's clipboard, in plain text only. Text read from it is empty when it holds no text;
// text put on it uses the desktop's line breaks ("\n").
QString ClipboardGetText();
void ClipboardSetText(const QString &text);
