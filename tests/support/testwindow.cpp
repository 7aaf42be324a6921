#include "support/testwindow.h"

#include "document/gauge.h"

TestWindow::TestWindow()
{
    QObject::connect(&text1, &TextArea::contentChanged, [this] { Text1_Change(window); });
}
