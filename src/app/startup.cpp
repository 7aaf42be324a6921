#include "app/startup.h"

#include "document/caption.h"
#include "document/documentnames.h"
#include "files/loadfile.h"
#include "platform/filenames.h"

void Form_Load(DocumentWindow &window, const QString &argumentText)
{
    if (argumentText.isEmpty()) {
        ResetToUntitled(window);
        UpdateCaption(window);
    } else if (LoadFile(window, argumentText)) {
        AttachToFile(window, argumentText, FileNamePart(argumentText));
    }
}
