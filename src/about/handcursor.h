#pragma once

#include <QCursor>

// The pointing-hand cursor over the About box's link: 32 x 32, monochrome, hot spot at the tip
// of the finger (13, 9).
QCursor HandCursor();
