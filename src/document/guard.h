#pragma once

#include "platform/flags.h"

struct DocumentWindow;

// The question asked before unsaved changes would be thrown away, and the three operations that
// ask it with the exclamation icon: New, Exit and closing the main window.

// File > New: offers to save, then resets to an empty "Untitled" document; the caption is set
// again in every case.
void NewDocument(DocumentWindow &window);

// File > Exit: offers to save, then ends the program at once (no close request follows).
void mnuexit_Click(DocumentWindow &window);

// The main window's close request: sets cancel to true to keep the window open. The reason for
// the close is not consulted.
void Form_QueryUnload(DocumentWindow &window, Flag &cancel, int unloadMode);
