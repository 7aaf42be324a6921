#include "document/guard.h"

#include "controls/msgbox.h"
#include "document/caption.h"
#include "document/documentnames.h"
#include "document/documentwindow.h"
#include "files/savefile.h"
#include "platform/process.h"

bool OfferToSaveChanges(DocumentWindow &window, int iconStyle)
{
    if (!window.documentState.Changed)
        return true;
    const int answer = MsgBox(u"The open file was changed, do you to save the changes?"_qs,
                              MsgBoxStyle::YesNoCancel + iconStyle, u"File Changed"_qs);
    if (answer == MsgBoxAnswer::Yes)
        return SaveFile(window);
    return answer == MsgBoxAnswer::No;
}

void NewDocument(DocumentWindow &window)
{
    if (OfferToSaveChanges(window, MsgBoxStyle::Exclamation))
        ResetToUntitled(window);
    UpdateCaption(window);
}

void mnuexit_Click(DocumentWindow &window)
{
    if (OfferToSaveChanges(window, MsgBoxStyle::Exclamation))
        EndProgramAtOnce();
}

void Form_QueryUnload(DocumentWindow &window, Flag &cancel, int unloadMode)
{
    Q_UNUSED(unloadMode);
    if (!OfferToSaveChanges(window, MsgBoxStyle::Exclamation))
        cancel = FlagTrue;
}
