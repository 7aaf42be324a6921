#pragma once

#include <QString>

struct DocumentWindow;

// Sets up the one document before the window is first shown: an empty "Untitled" document, or
// the file named by the argument text.
void Form_Load(DocumentWindow &window, const QString &argumentText);
