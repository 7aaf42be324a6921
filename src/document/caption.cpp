#include "document/caption.h"

#include "document/documentwindow.h"

#include <QWidget>

QString InitialCaption()
{
    return u"Vellum"_qs;
}

QString CaptionFor(const QString &displayName)
{
    return displayName + u" - "_qs + InitialCaption();
}

void UpdateCaption(DocumentWindow &window)
{
    window.form.setWindowTitle(CaptionFor(window.documentState.DisplayName));
}
