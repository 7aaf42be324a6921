#pragma once

#include "platform/flags.h"

struct DocumentWindow;

// The question asked before unsaved changes would be thrown away, and the three operations that
// ask it with the exclamation icon: New, Exit and closing the main window. Open asks it too, with
// the question-mark icon.

// When the text has unsaved changes, asks whether to save them ("File Changed", Yes/No/Cancel,
// with the given icon) and saves on Yes. Returns whether the operation may go on: nothing was
// changed, the user answered No, or answered Yes and the save went through.
bool OfferToSaveChanges(DocumentWindow &window, int iconStyle);

// File > New: offers to save, then resets to an empty "Untitled" document; the caption is set
// again in every case.
void NewDocument(DocumentWindow &window);

// File > Exit: offers to save, then ends the program at once (no close request follows).
void mnuexit_Click(DocumentWindow &window);

// The main window's close request: sets cancel to true to keep the window open. The reason for
// the close is not consulted.
void Form_QueryUnload(DocumentWindow &window, Flag &cancel, int unloadMode);
