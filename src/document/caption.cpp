#include "document/caption.h"

#include "document/documentwindow.h"
#include "platform/filenames.h"

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
    // Qt reads "[*]" in a title as the place of a modified mark; doubled, it stands for itself.
    QString title = CaptionFor(DisplayFileName(window.documentState.DisplayName));
    title.replace(u"[*]"_qs, u"[*][*]"_qs);
    window.form.setWindowTitle(title);
}
