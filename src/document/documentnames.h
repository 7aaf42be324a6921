#pragma once

#include <QString>

struct DocumentWindow;

// Empties the text and makes the document a new, unchanged "Untitled" one. The caption is left
// to the caller.
void ResetToUntitled(DocumentWindow &window);

// Makes the document belong to the file at path, shown under displayName, unchanged since it was
// loaded or saved, and shows the name in the caption.
void AttachToFile(DocumentWindow &window, const QString &path, const QString &displayName);
