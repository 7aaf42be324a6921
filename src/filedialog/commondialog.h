#pragma once

#include <QString>
#include <functional>

class QWidget;

// The open and save file dialog. Its properties persist between showings, so every command sets
// all that it relies on before each showing. A showing returns a run-time error number: 0 when a
// file was chosen (FileName holds its full path, FileTitle its name), 32755 when the user
// cancelled and CancelError is set. A cancel without CancelError returns 0 and leaves FileName
// and FileTitle as they were.
//
// Filter holds "Description|pattern|Description|pattern"; FilterIndex, counting the pairs from 1,
// selects the one in use when the dialog opens. DefaultExt (with or without its dot) is added to
// a typed name that has no extension, in both dialogs; in Open a name without extension that
// exists as typed, and has no file with the extension beside it, is taken as it stands.
//
// The dialog starts in the folder of FileName when it names one, else in InitDir, else where it
// was when it last closed (remembered while the program runs, never on disk), else in the working
// folder. Names are kept whole: FileName may hold bytes that are not UTF-8 (see filenames.h).
//
// A showing is the desktop's own file chooser where the XDG desktop portal offers one
// (desktopchooser.h), else the program's own dialog.
class CommonDialog
{
public:
    enum class Kind { Open, Save };

    // Flag values understood by the dialog. The dialog never has a read-only check box, so
    // HideReadOnly changes nothing. FileMustExist also refuses a name in a folder that does not
    // exist; without it such a name is returned, for the write to report the missing folder.
    static constexpr long OverwritePrompt = 0x2;
    static constexpr long HideReadOnly = 0x4;
    static constexpr long FileMustExist = 0x1000;

    bool CancelError = false;
    QString DefaultExt;
    QString DialogTitle;
    QString FileName;
    QString FileTitle;
    QString Filter;
    int FilterIndex = 0;
    long Flags = 0;
    QString InitDir;

    explicit CommonDialog(QWidget *owner = nullptr) : owner_(owner) {}

    int ShowOpen();
    int ShowSave();

    QWidget *owner() const { return owner_; }

    // Every showing goes through one handler: the program's file dialog unless a test has
    // installed its own, which may set FileName and FileTitle and returns the showing's error
    // number.
    using Handler = std::function<int(CommonDialog &dialog, Kind kind)>;
    static Handler SetHandler(Handler handler);

private:
    int Show(Kind kind);
    int ShowFileDialog(Kind kind);
    QString StartFolder() const;

    QWidget *owner_;
    QString lastFolder_;
};
