#include "app/form1.h"

#include "app/startup.h"
#include "document/caption.h"
#include "document/gauge.h"
#include "platform/statusbar.h"
#include "platform/textarea.h"

Form1::Form1(const QString &argumentText, QWidget *parent)
    : QMainWindow(parent), Text1(new TextArea(this)), StatusBar1(new StatusBar(this)),
      CommonDialog1(this), window_{{}, *this, *Text1, *StatusBar1, CommonDialog1}
{
    setWindowTitle(InitialCaption());
    Text1->setObjectName(u"Text1"_qs);
    StatusBar1->setObjectName(u"StatusBar1"_qs);
    setCentralWidget(Text1);
    setStatusBar(StatusBar1);
    connect(Text1, &TextArea::contentChanged, this, [this] { Text1_Change(window_); });

    Form_Load(window_, argumentText);
    Text1->setFocus();
}
