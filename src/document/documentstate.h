#pragma once

#include "platform/flags.h"

#include <QString>

// The one record of the open document, apart from its text.
struct DocumentState
{
    QString FilePath;         // the full path as given, or "Untitled"
    Flag Changed = FlagFalse; // the text changed since it was last loaded, saved or cleared
    Flag HasPath = FlagFalse; // FilePath names the file the document was loaded from or saved to
    QString DisplayName;      // the name shown in the caption
};
