#pragma once

#include "files/loadfile.h"

struct DocumentWindow;

// The box for a failed save, chosen by its error number.
MessageRow SaveErrorTable(int errorNumber);

// Shows the SaveErrorTable box for the error number.
void ReportSaveError(int errorNumber);

// The one save step: writes the whole text to the document's file, asking for a name first when
// the document has none. Reports every failure itself; returns whether the text was written.
bool SaveFile(DocumentWindow &window);

// File > Save.
void SaveDocument(DocumentWindow &window);
