#pragma once

#include <QString>

struct DocumentWindow;

// File > Open...: offers to save unsaved changes, lets the user pick a file and loads it.
void OpenDocument(DocumentWindow &window);

// Opens the file at path as File > Open does when that file is chosen in its dialog: the same
// question first, then the same load, boxes and caption.
void OpenDocumentFile(DocumentWindow &window, const QString &path);
