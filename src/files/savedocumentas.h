#pragma once

struct DocumentWindow;

// File > Save as...: writes the text to a file the user names and makes it the document's file.
void SaveDocumentAs(DocumentWindow &window);
