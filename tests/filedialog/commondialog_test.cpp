#include "filedialog/commondialog.h"

#include "filedialog/filedialog.h"
#include "filedialog/folderlisting.h"
#include "platform/errornumbers.h"
#include "platform/filenames.h"
#include "support/scratchfolder.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

// Failures show names as text, the bytes that are not UTF-8 as U+FFFD.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << DisplayFileName(text).toStdString() << '"';
}

namespace {

using Kind = CommonDialog::Kind;

FileDialog *WaitForFileDialog()
{
    for (int tries = 0; tries < 500; ++tries) {
        if (auto *shown = qobject_cast<FileDialog *>(QApplication::activeModalWidget()))
            return shown;
        QTest::qWait(10);
    }
    return nullptr;
}

// Shows the real dialog and hands it to drive once it is up; whatever drive leaves open is
// cancelled with Escape, so a failing test cannot hang.
int ShowDriven(CommonDialog &dialog, Kind kind, std::function<void(FileDialog &)> drive)
{
    QTimer::singleShot(0, [drive] {
        FileDialog *shown = WaitForFileDialog();
        if (!shown) {
            ADD_FAILURE() << "the file dialog did not come up";
            return;
        }
        EXPECT_TRUE(QTest::qWaitForWindowActive(shown));
        drive(*shown);
        if (shown->isVisible())
            QTest::keyClick(shown, Qt::Key_Escape);
    });
    return kind == Kind::Open ? dialog.ShowOpen() : dialog.ShowSave();
}

// While it lives, answers every message box with the given button and keeps the boxes' texts.
class BoxAnswerer
{
public:
    explicit BoxAnswerer(QMessageBox::StandardButton answer)
    {
        QObject::connect(&poll_, &QTimer::timeout, [this, answer] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            texts_ << box->text();
            if (QAbstractButton *button = box->button(answer))
                button->click();
        });
        poll_.start(10);
    }

    QStringList texts() const { return texts_; }

private:
    QTimer poll_;
    QStringList texts_;
};

QLineEdit &NameBox(FileDialog &shown)
{
    return *shown.findChild<QLineEdit *>(u"fileNameEdit"_qs);
}

QAbstractItemView &List(FileDialog &shown)
{
    return *shown.findChild<QAbstractItemView *>(u"fileList"_qs);
}

// Types into the name box as a user does, over what it holds, and presses Enter. Returns the
// texts of the boxes that came up, each answered with the given button.
QStringList Type(FileDialog &shown, const QString &text,
                 QMessageBox::StandardButton answer = QMessageBox::Ok)
{
    const BoxAnswerer answerer(answer);
    QLineEdit &nameBox = NameBox(shown);
    nameBox.setFocus();
    QTest::keyClick(&nameBox, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&nameBox, text);
    QTest::keyClick(&nameBox, Qt::Key_Return);
    return answerer.texts();
}

// The names the list shows, in order.
QStringList Listed(FileDialog &shown)
{
    QStringList names;
    const QAbstractItemModel *model = List(shown).model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, 0).data().toString();
    return names;
}

void ClickItem(FileDialog &shown, const QString &listedName, bool twice)
{
    QAbstractItemView &list = List(shown);
    const QModelIndex item = list.model()->index(int(Listed(shown).indexOf(listedName)), 0);
    const QPoint centre = list.visualRect(item).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centre);
    if (twice)
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, centre);
}

// The names of the list's selected items.
QStringList Selected(FileDialog &shown)
{
    QStringList names;
    for (const QModelIndex &row : List(shown).selectionModel()->selectedRows())
        names << row.data().toString();
    return names;
}

void SwitchFilterByKeyboard(FileDialog &shown)
{
    auto *types = shown.findChild<QComboBox *>(u"fileTypeCombo"_qs);
    types->setFocus();
    QTest::keyClick(types, Qt::Key_Down);
}

// A folder holding one file, both named by bytes that are not UTF-8, which Qt's own file
// functions cannot name: made and removed byte by byte.
struct NotUtf8Folder
{
    explicit NotUtf8Folder(const QString &parent)
        : folder(EncodeFileName(parent) + "/d\xe9j\xe0"), file(folder + "/caf\xe9.diz")
    {
        ::mkdir(folder.constData(), 0755);
        ::close(::open(file.constData(), O_WRONLY | O_CREAT, 0644));
    }
    ~NotUtf8Folder()
    {
        ::unlink(file.constData());
        ::rmdir(folder.constData());
    }

    const QByteArray folder;
    const QByteArray file;
};

class CommonDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *name : {"FILE_ID.DIZ", "other.diz", "other", "notes.txt", "README"})
            folder.write(QString::fromLatin1(name), "text");
        QDir(folder.root()).mkdir(u"sub"_qs);
        folder.write(u"sub/inner.diz"_qs, "text");
        dialog.CancelError = true;
        dialog.DefaultExt = u".diz"_qs;
        dialog.Filter = u"Description In Zip|*.diz|All Files|*.*"_qs;
        dialog.FilterIndex = 1;
        dialog.InitDir = folder.root();
    }

    void PrepareOpen()
    {
        dialog.DialogTitle = u"Open DIZ File"_qs;
        dialog.FileName = u"*.diz"_qs;
        dialog.Flags = CommonDialog::FileMustExist | CommonDialog::HideReadOnly;
    }

    void PrepareSave()
    {
        dialog.DialogTitle = u"Save DIZ as.."_qs;
        dialog.FileName = u"FILE_ID.DIZ"_qs;
        dialog.Flags = CommonDialog::OverwritePrompt;
    }

    ScratchFolder folder;
    CommonDialog dialog;
};

TEST_F(CommonDialogTest, OpenListsByTypedPatternsAndTakesAnExistingNameAsItStands)
{
    PrepareOpen();
    QString title, offered;
    QStringList filterNames, boxes, missingBoxes;
    bool openAfterMissing = false;
    QList<QStringList> listings;
    const int error = ShowDriven(dialog, Kind::Open, [&](FileDialog &shown) {
        title = shown.windowTitle();
        offered = NameBox(shown).text();
        auto *types = shown.findChild<QComboBox *>(u"fileTypeCombo"_qs);
        for (int i = 0; i < types->count(); ++i)
            filterNames << types->itemText(i);
        listings << Listed(shown);
        boxes << Type(shown, offered);
        listings << Listed(shown);
        boxes << Type(shown, u"*.txt"_qs);
        listings << (Listed(shown) << NameBox(shown).text());
        missingBoxes = Type(shown, u"missing"_qs);
        openAfterMissing = shown.isVisible();
        boxes << Type(shown, u"o*.d?z"_qs);
        listings << Listed(shown);
        SwitchFilterByKeyboard(shown);
        listings << (Listed(shown) << NameBox(shown).text());
        boxes << Type(shown, u"README"_qs);
    });
    EXPECT_EQ(title, u"Open DIZ File"_qs);
    EXPECT_EQ(offered, u"*.diz"_qs);
    EXPECT_EQ(filterNames, QStringList({u"Description In Zip"_qs, u"All Files"_qs}));
    EXPECT_EQ(listings, QList<QStringList>({
                            {u"sub"_qs, u"FILE_ID.DIZ"_qs, u"other.diz"_qs},
                            {u"sub"_qs, u"FILE_ID.DIZ"_qs, u"other.diz"_qs},
                            {u"sub"_qs, u"notes.txt"_qs, u"*.txt"_qs},
                            {u"sub"_qs, u"other.diz"_qs},
                            {u"sub"_qs, u"FILE_ID.DIZ"_qs, u"notes.txt"_qs, u"other"_qs,
                             u"other.diz"_qs, u"README"_qs, u"*.*"_qs},
                        }));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(u'\n').toStdString();
    EXPECT_EQ(missingBoxes,
              QStringList(u"missing.diz\nFile not found.\nCheck the file name and try again."_qs));
    EXPECT_TRUE(openAfterMissing);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(dialog.FileName, folder.path(u"README"_qs));
    EXPECT_EQ(dialog.FileTitle, u"README"_qs);
}

TEST_F(CommonDialogTest, SaveKeepsTheTypedNameThroughAFilterSwitchAndAsksBeforeReplacing)
{
    PrepareSave();
    QString afterSwitch;
    QStringList patternBoxes, noBoxes, yesBoxes, patternListing;
    bool openAfterNo = false;
    const int error = ShowDriven(dialog, Kind::Save, [&](FileDialog &shown) {
        SwitchFilterByKeyboard(shown);
        afterSwitch = NameBox(shown).text();
        patternBoxes = Type(shown, u"*.txt"_qs);
        patternListing = Listed(shown);
        noBoxes = Type(shown, u"FILE_ID.DIZ"_qs, QMessageBox::No);
        openAfterNo = shown.isVisible();
        yesBoxes = Type(shown, u"FILE_ID.DIZ"_qs, QMessageBox::Yes);
    });
    EXPECT_EQ(afterSwitch, u"FILE_ID.DIZ"_qs);
    EXPECT_TRUE(patternBoxes.isEmpty());
    EXPECT_EQ(patternListing, QStringList({u"sub"_qs, u"notes.txt"_qs}));
    EXPECT_EQ(noBoxes, QStringList(u"FILE_ID.DIZ already exists.\nDo you want to replace it?"_qs));
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(yesBoxes.size(), 1);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(dialog.FileName, folder.path(u"FILE_ID.DIZ"_qs));
    EXPECT_FALSE(QFileInfo::exists(folder.path(u"*.txt"_qs)));
}

TEST_F(CommonDialogTest, GoesIntoFoldersByNameKeyAndPathAndSavesThereWithoutAsking)
{
    PrepareSave();
    dialog.Flags = 0;
    QStringList folders;
    const int error = ShowDriven(dialog, Kind::Save, [&](FileDialog &shown) {
        Type(shown, u"sub"_qs);
        folders << shown.folder();
        Type(shown, u".."_qs);
        folders << shown.folder();
        ClickItem(shown, u"sub"_qs, true);
        folders << shown.folder();
        List(shown).setFocus();
        QTest::keyClick(&List(shown), Qt::Key_Backspace);
        folders << shown.folder();
        QTest::keyClick(&List(shown), Qt::Key_Return);
        folders << shown.folder();
        Type(shown, folder.path(u"sub/inner.diz"_qs));
    });
    const QString sub = folder.path(u"sub"_qs);
    EXPECT_EQ(folders, QStringList({sub, folder.root(), sub, folder.root(), sub}));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(dialog.FileName, folder.path(u"sub/inner.diz"_qs));
}

TEST_F(CommonDialogTest, ListsAndReturnsNamesThatAreNotUtf8ByteForByte)
{
    PrepareOpen();
    const NotUtf8Folder made(folder.root());
    const QString shownFolder = u"d\uFFFDj\uFFFD"_qs;
    const QString shownFile = u"caf\uFFFD.diz"_qs;
    QStringList rootListing, listing;
    QString nameBox, lookIn;
    const int error = ShowDriven(dialog, Kind::Open, [&](FileDialog &shown) {
        rootListing = Listed(shown);
        ClickItem(shown, shownFolder, true);
        listing = Listed(shown);
        lookIn = shown.findChild<QComboBox *>(u"lookInCombo"_qs)->currentText();
        ClickItem(shown, shownFile, false);
        nameBox = NameBox(shown).text();
        QTest::keyClick(&NameBox(shown), Qt::Key_Return);
    });
    EXPECT_TRUE(rootListing.contains(shownFolder)) << rootListing.join(u' ').toStdString();
    EXPECT_EQ(listing, QStringList(shownFile));
    EXPECT_EQ(lookIn, DisplayFileName(DecodeFileName(made.folder)));
    EXPECT_EQ(nameBox, shownFile);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(EncodeFileName(dialog.FileName), made.file);
    EXPECT_EQ(EncodeFileName(dialog.FileTitle), QByteArray("caf\xe9.diz"));
}

TEST_F(CommonDialogTest, StartsInInitDirElseWhereItWasLastElseInTheWorkingFolder)
{
    PrepareOpen();
    const auto startFolder = [](CommonDialog &shownDialog) {
        QString start;
        ShowDriven(shownDialog, Kind::Open, [&](FileDialog &shown) { start = shown.folder(); });
        return start;
    };
    dialog.InitDir = folder.path(u"sub"_qs);
    const QString fromInitDir = startFolder(dialog);
    dialog.InitDir.clear();
    const QString fromLast = startFolder(dialog);
    dialog.InitDir = folder.path(u"gone"_qs);
    const QString fromLastAgain = startFolder(dialog);
    CommonDialog fresh;
    const QString fromNothing = startFolder(fresh);
    EXPECT_EQ(fromInitDir, folder.path(u"sub"_qs));
    EXPECT_EQ(fromLast, folder.path(u"sub"_qs));
    EXPECT_EQ(fromLastAgain, folder.path(u"sub"_qs));
    EXPECT_EQ(fromNothing, QDir::currentPath());
}

TEST_F(CommonDialogTest, ListsAFileThatAppearsWhileItIsOpen)
{
    PrepareOpen();
    bool listed = false;
    ShowDriven(dialog, Kind::Open, [&](FileDialog &shown) {
        folder.write(u"late.diz"_qs, "text");
        listed = QTest::qWaitFor([&] { return Listed(shown).contains(u"late.diz"_qs); }, 5000);
    });
    EXPECT_TRUE(listed);
}

TEST_F(CommonDialogTest, CancelIsAnErrorOnlyWhenAskedFor)
{
    PrepareSave();
    dialog.FileTitle = u"before"_qs;
    EXPECT_EQ(ShowDriven(dialog, Kind::Save, [](FileDialog &) {}), ErrorNumber::DialogCancelled);
    dialog.CancelError = false;
    EXPECT_EQ(ShowDriven(dialog, Kind::Open, [](FileDialog &) {}), 0);
    EXPECT_EQ(dialog.FileName, u"FILE_ID.DIZ"_qs);
    EXPECT_EQ(dialog.FileTitle, u"before"_qs);
}

// Backspace goes up from anywhere but the name box, which keeps it for editing, and Alt+Up from
// the name box too; the folder left is then selected, and Enter or the Save button clicked with
// a folder selected goes into it, unless a name was typed after.
TEST_F(CommonDialogTest, GoesUpByKeysFromAnywhereAndEntersTheSelectedFolderOnAccept)
{
    PrepareSave();
    dialog.InitDir = folder.path(u"sub"_qs);
    QStringList folders, selected;
    QString edited, current, acceptText;
    const int error = ShowDriven(dialog, Kind::Save, [&](FileDialog &shown) {
        QLineEdit &box = NameBox(shown);
        QTest::keyClick(&box, Qt::Key_End);
        QTest::keyClick(&box, Qt::Key_Backspace);
        edited = box.text();
        folders << shown.folder();
        QTest::keyClick(&box, Qt::Key_Up, Qt::AltModifier);
        folders << shown.folder();
        selected = Selected(shown);
        current = List(shown).currentIndex().data().toString();
        auto *accept = shown.findChild<QPushButton *>(u"acceptButton"_qs);
        acceptText = accept->text();
        QTest::keyClick(&box, Qt::Key_Return);
        folders << shown.folder();
        acceptText += u' ' + accept->text();
        auto *types = shown.findChild<QComboBox *>(u"fileTypeCombo"_qs);
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Backspace);
        folders << shown.folder();
        ClickItem(shown, u"sub"_qs, false);
        QTest::mouseClick(accept, Qt::LeftButton);
        folders << shown.folder();
        List(shown).setFocus();
        QTest::keyClick(&List(shown), Qt::Key_Backspace);
        selected += Selected(shown);
        Type(shown, u"typed"_qs);
    });
    const QString sub = folder.path(u"sub"_qs);
    EXPECT_EQ(edited, u"FILE_ID.DI"_qs);
    EXPECT_EQ(folders, QStringList({sub, folder.root(), sub, folder.root(), sub}));
    EXPECT_EQ(selected, QStringList({u"sub"_qs, u"sub"_qs}));
    EXPECT_EQ(current, u"sub"_qs);
    EXPECT_EQ(acceptText, u"&Open &Save"_qs);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(dialog.FileName, folder.path(u"typed.diz"_qs));
}

// Answers the New Folder dialog with the name; returns the name it offered.
QString MakeFolderNamed(FileDialog &shown, const QString &name)
{
    QString offered;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *input = qobject_cast<QInputDialog *>(QApplication::activeModalWidget())) {
            offered = input->textValue();
            input->setTextValue(name);
            input->accept();
        }
    });
    poll.start(10);
    shown.findChild<QToolButton *>(u"newFolderButton"_qs)->click();
    return offered;
}

// A place clicked is gone to; a new folder made there is selected, and a failure to make one
// is told with the system's reason.
TEST_F(CommonDialogTest, GoesToAPlaceClickedAndMakesNewFolders)
{
    PrepareSave();
    const QString name = u"caf\u00e9 new"_qs;
    QString place, offered;
    QStringList selected, boxes;
    ShowDriven(dialog, Kind::Save, [&](FileDialog &shown) {
        auto *places = shown.findChild<QListWidget *>(u"placesList"_qs);
        const QListWidgetItem *root =
            places->findItems(u"File System"_qs, Qt::MatchExactly).value(0);
        QTest::mouseClick(places->viewport(), Qt::LeftButton, {},
                          places->visualItemRect(root).center());
        place = shown.folder();
        Type(shown, folder.root());
        const BoxAnswerer answerer(QMessageBox::Ok);
        offered = MakeFolderNamed(shown, name);
        selected = Selected(shown);
        MakeFolderNamed(shown, name);
        boxes = answerer.texts();
    });
    EXPECT_EQ(place, u"/"_qs);
    EXPECT_EQ(offered, u"New Folder"_qs);
    EXPECT_EQ(KindOfPath(folder.path(name)), PathKind::Folder);
    EXPECT_EQ(selected, QStringList(name));
    EXPECT_EQ(boxes, QStringList(u"%1\nThe folder could not be made: %2."_qs.arg(
                         name, QString::fromLocal8Bit(std::strerror(EEXIST)))));
}

} // namespace
