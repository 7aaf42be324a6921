#pragma once

#include <QString>

struct DocumentWindow;

// The caption before anything has named the document.
QString InitialCaption();

// The caption for a document name: the name followed by " - Vellum".
QString CaptionFor(const QString &displayName);

// Shows the document's DisplayName in the window's caption.
void UpdateCaption(DocumentWindow &window);
