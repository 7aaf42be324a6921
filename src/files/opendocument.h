#pragma once

struct DocumentWindow;

// File > Open...: offers to save unsaved changes, lets the user pick a file and loads it.
void OpenDocument(DocumentWindow &window);
