#include "launch/module1.h"

#include "controls/msgbox.h"
#include "platform/shell.h"

namespace {

// The two sentences that addresses and files share.
const QString PathNotFound = u"The Path was not Found."_qs;
const QString OutOfMemory =
    u"There was no more Memory or resources. Free up some memory by closing some Programs."_qs;

// Silent 1 hands the raw result back; otherwise a failure is explained and 0 returned either way.
std::int32_t Report(ShellResult result, std::int16_t Silent, const LaunchErrorTable &table)
{
    if (Silent == 1)
        return result;
    if (result > 32)
        return 0;
    MsgBox(table.sentenceFor(result), MsgBoxStyle::OkOnly + MsgBoxStyle::Critical, table.title);
    return 0;
}

} // namespace

const LaunchErrorTable LaunchURLErrorTable{
    u"Address Access Error"_qs,
    {
        {2, u"The Address was not Found."_qs},
        {3, PathNotFound},
        {5, u"URL Access Failed: Access was denied to the Address."_qs},
        {8, OutOfMemory},
        {26, u"URL Access Failed: There was a file sharing violation."_qs},
        {27, u"URL Access Failed: Program association was Incomplete."_qs},
        {28, u"URL Access Failed: DDE operation to associated program was Timed out."_qs},
        {29, u"URL Access Failed: DDE operation to associated program failed."_qs},
        {30, u"URL Access Failed: DDE operation to associated program was busy."_qs},
        {31, u"URL Access Failed: There was no program associated to this Address. To view this "
             u"Internet address a associated Internet browser is needed."_qs},
        {32, u"URL Access Failed: A needed program extension was not found."_qs},
    },
    u"URL Access Failed: Unknown Error - Error Code is "_qs,
};

const LaunchErrorTable LaunchFileErrorTable{
    u"File Access Error"_qs,
    {
        {2, u"The File was not Found."_qs},
        {3, PathNotFound},
        {5, u"File Access Failed: Access was denied to the File."_qs},
        {8, OutOfMemory},
        {26, u"File Access Failed: There was a file sharing violation."_qs},
        {27, u"File Access Failed: Program association was Incomplete."_qs},
        {28, u"File Access Failed: DDE operation to associated program was Timed out."_qs},
        {29, u"File Access Failed: DDE operation to associated program failed."_qs},
        {30, u"File Access Failed: DDE operation to associated program was busy."_qs},
        {31, u"File Access Failed: There was no program associated to this file."_qs},
        {32, u"File Access Failed: A needed program extension was not found."_qs},
    },
    u"File Access Failed: Unknown Error - Error Code is "_qs,
};

QString LaunchErrorTable::sentenceFor(std::int32_t code) const
{
    return sentences.value(code, unknownError + QString::number(code));
}

// Both routines take the owner only to hand it to the desktop's service. An address or the help
// page needs no working directory, and no parameters go with it.
std::int32_t LaunchURL(QWidget *owner, const QString &target, std::int16_t Silent)
{
    const ShellResult result = ShellExecute(owner, target, QString(), QString(), ShowNormal);
    return Report(result, Silent, LaunchURLErrorTable);
}

std::int32_t LaunchFile(QWidget *owner, const QString &file, const QString &directory,
                        std::int16_t Silent)
{
    const ShellResult result = ShellExecute(owner, file, u"1"_qs, directory, ShowNormal);
    return Report(result, Silent, LaunchFileErrorTable);
}
