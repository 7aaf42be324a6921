#pragma once

#include <QString>

class CommonDialog;
struct DocumentState;

// The dialog keeps what the last command set, so each command sets every property it relies on
// before each showing. Both dialogs start in the folder of the document's file when it has one.

// Open: the name box starts with "*.diz"; only existing files can be chosen.
void PrepareOpenDialog(CommonDialog &dialog, const DocumentState &document);

// Save and Save As: the name box starts with "FILE_ID.DIZ"; an existing file is replaced only
// after the dialog has asked.
void PrepareSaveDialog(CommonDialog &dialog, const QString &title, const DocumentState &document);
