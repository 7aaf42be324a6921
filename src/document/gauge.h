#pragma once

#include <QString>

struct DocumentWindow;

// The size gauge: the text's length in bytes, then what the recommended maximum is.
QString GaugeText(qint64 byteCount);

// Runs after every change of the text: marks the document changed, then rewrites the gauge.
void Text1_Change(DocumentWindow &window);
