#pragma once

#include <QString>

class QWidget;

// Asks, in a box with the dialog's title over the given window, whether the existing file at
// path may be replaced; true for Yes. No is the default answer.
bool AskToReplace(QWidget *owner, const QString &title, const QString &path);
