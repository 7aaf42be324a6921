#include "document/gauge.h"

#include "controls/statusbar.h"
#include "document/documentwindow.h"
#include "textarea/textarea.h"

QString GaugeText(qint64 byteCount)
{
    return QString::number(byteCount) +
           u" Bytes\\Characters (Rec. Max is 468 bytes\\Characters including line breaks)"_qs;
}

void Text1_Change(DocumentWindow &window)
{
    window.documentState.Changed = FlagTrue;
    window.StatusBar1.setPanelText(1, GaugeText(window.Text1.byteLength()));
}
