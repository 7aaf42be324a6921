#include "platform/commondialog.h"

#include "platform/errornumbers.h"
#include "support/scratchfolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using Kind = CommonDialog::Kind;

const QString DizFilter = u"Description In Zip|*.diz|All Files|*.*"_qs;

template <typename Widget> Widget *WaitForModal()
{
    for (int tries = 0; tries < 500; ++tries) {
        if (auto *widget = qobject_cast<Widget *>(QApplication::activeModalWidget()))
            return widget;
        QTest::qWait(10);
    }
    return nullptr;
}

// Shows the real dialog and hands it to drive once it is up. Whatever drive leaves open is
// cancelled, so a failing test cannot hang.
int ShowDriven(CommonDialog &dialog, Kind kind, std::function<void(QFileDialog &)> drive)
{
    QTimer::singleShot(0, [drive] {
        QFileDialog *fileDialog = WaitForModal<QFileDialog>();
        if (!fileDialog) {
            ADD_FAILURE() << "the file dialog did not come up";
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (auto *shown = qobject_cast<QDialog *>(widget); shown && shown->isVisible())
                    shown->reject();
            return;
        }
        drive(*fileDialog);
        if (fileDialog->isVisible())
            fileDialog->reject();
    });
    return kind == Kind::Open ? dialog.ShowOpen() : dialog.ShowSave();
}

// While it lives, answers every message box that comes up with the given button (closing it
// when it has none) and keeps the boxes' texts. A box opens its own event loop, in which this
// answers it, so nothing waits on a box that no one closes.
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
            else
                box->reject();
        });
        poll_.start(10);
    }

    QStringList texts() const { return texts_; }

private:
    QTimer poll_;
    QStringList texts_;
};

// The names the dialog lists in its current folder under its current filter, once the folder
// has been read and holds `expected`.
QSet<QString> ListedNames(QFileDialog &fileDialog, const QString &expected)
{
    auto *model = fileDialog.findChild<QFileSystemModel *>();
    if (!model)
        return {};
    const QModelIndex folder = model->index(fileDialog.directory().absolutePath());
    QSet<QString> names;
    for (int tries = 0; tries < 500 && !names.contains(expected); ++tries) {
        QTest::qWait(10);
        names.clear();
        for (int row = 0; row < model->rowCount(folder); ++row)
            names.insert(model->index(row, 0, folder).data().toString());
    }
    return names;
}

// Types the name and presses the dialog's Open or Save button; any box that comes up is
// answered with the given button. Returns the texts of the boxes, none when the dialog took
// the name as it was.
QStringList TypeAndAccept(QFileDialog &fileDialog, const QString &name,
                          QMessageBox::StandardButton answer = QMessageBox::Cancel)
{
    const BoxAnswerer answerer(answer);
    if (auto *nameBox = fileDialog.findChild<QLineEdit *>(u"fileNameEdit"_qs))
        nameBox->setText(name);
    // QFileDialog hides accept(); QDialog's reaches it, as the dialog's own Open or Save button.
    static_cast<QDialog &>(fileDialog).accept();
    return answerer.texts();
}

class CommonDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *name : {"FILE_ID.DIZ", "other.diz", "notes.txt", "README"})
            folder.write(QString::fromLatin1(name), "text");
        dialog.CancelError = true;
        dialog.DefaultExt = u".diz"_qs;
        dialog.Filter = DizFilter;
        dialog.FilterIndex = 1;
    }

    void PrepareOpen()
    {
        dialog.DialogTitle = u"Open DIZ File"_qs;
        dialog.FileName = u"*.diz"_qs;
        dialog.Flags = CommonDialog::FileMustExist | CommonDialog::HideReadOnly;
    }

    void PrepareSave()
    {
        dialog.DialogTitle = u"Save DIZ File as.."_qs;
        dialog.FileName = u"FILE_ID.DIZ"_qs;
        dialog.Flags = CommonDialog::OverwritePrompt;
    }

    ScratchFolder folder;
    CommonDialog dialog;
};

TEST_F(CommonDialogTest, OpenListsDizFilesOfAnyCaseThenEveryFileAndAddsTheExtension)
{
    PrepareOpen();
    QString title, nameBox;
    QStringList filterNames, boxes;
    QSet<QString> dizListing, allListing;
    const int error = ShowDriven(dialog, Kind::Open, [&](QFileDialog &fileDialog) {
        title = fileDialog.windowTitle();
        if (auto *edit = fileDialog.findChild<QLineEdit *>(u"fileNameEdit"_qs))
            nameBox = edit->text();
        if (auto *combo = fileDialog.findChild<QComboBox *>(u"fileTypeCombo"_qs))
            for (int i = 0; i < combo->count(); ++i)
                filterNames << combo->itemText(i);
        fileDialog.setDirectory(folder.root());
        dizListing = ListedNames(fileDialog, u"FILE_ID.DIZ"_qs);
        fileDialog.selectNameFilter(fileDialog.nameFilters().value(1));
        allListing = ListedNames(fileDialog, u"README"_qs);
        boxes = TypeAndAccept(fileDialog, u"other"_qs);
    });

    EXPECT_EQ(title, u"Open DIZ File"_qs);
    EXPECT_EQ(nameBox, u"*.diz"_qs);
    EXPECT_EQ(filterNames, QStringList({u"Description In Zip"_qs, u"All Files"_qs}));
    EXPECT_EQ(dizListing, QSet<QString>({u"FILE_ID.DIZ"_qs, u"other.diz"_qs}));
    EXPECT_EQ(allListing,
              QSet<QString>({u"FILE_ID.DIZ"_qs, u"other.diz"_qs, u"notes.txt"_qs, u"README"_qs}));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(u'\n').toStdString();
    EXPECT_EQ(error, 0);
    EXPECT_EQ(dialog.FileName, folder.path(u"other.diz"_qs));
    EXPECT_EQ(dialog.FileTitle, u"other.diz"_qs);
}

TEST_F(CommonDialogTest, FilterIndexChoosesTheFilterInUse)
{
    PrepareOpen();
    dialog.FilterIndex = 2;
    QSet<QString> listing;
    ShowDriven(dialog, Kind::Open, [&](QFileDialog &fileDialog) {
        fileDialog.setDirectory(folder.root());
        listing = ListedNames(fileDialog, u"notes.txt"_qs);
    });
    EXPECT_TRUE(listing.contains(u"notes.txt"_qs));
    EXPECT_TRUE(listing.contains(u"README"_qs));
}

TEST_F(CommonDialogTest, ListsAFileThatAppearsWhileItIsOpen)
{
    PrepareOpen();
    QSet<QString> before, after;
    ShowDriven(dialog, Kind::Open, [&](QFileDialog &fileDialog) {
        fileDialog.setDirectory(folder.root());
        before = ListedNames(fileDialog, u"FILE_ID.DIZ"_qs);
        folder.write(u"late.diz"_qs, "text");
        after = ListedNames(fileDialog, u"late.diz"_qs);
    });
    EXPECT_EQ(before, QSet<QString>({u"FILE_ID.DIZ"_qs, u"other.diz"_qs}));
    EXPECT_EQ(after, QSet<QString>({u"FILE_ID.DIZ"_qs, u"other.diz"_qs, u"late.diz"_qs}));
}

TEST_F(CommonDialogTest, OpenRefusesANameThatDoesNotExist)
{
    PrepareOpen();
    QStringList boxes;
    bool stillOpen = false;
    const int error = ShowDriven(dialog, Kind::Open, [&](QFileDialog &fileDialog) {
        fileDialog.setDirectory(folder.root());
        boxes = TypeAndAccept(fileDialog, u"missing"_qs, QMessageBox::Ok);
        stillOpen = fileDialog.isVisible();
    });
    EXPECT_EQ(boxes.size(), 1) << boxes.join(u'\n').toStdString();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(error, ErrorNumber::DialogCancelled);
}

TEST_F(CommonDialogTest, SaveStartsWithTheGivenNameAndAddsTheExtension)
{
    PrepareSave();
    QString nameBox;
    QStringList boxes;
    const int error = ShowDriven(dialog, Kind::Save, [&](QFileDialog &fileDialog) {
        if (auto *edit = fileDialog.findChild<QLineEdit *>(u"fileNameEdit"_qs))
            nameBox = edit->text();
        fileDialog.setDirectory(folder.root());
        boxes = TypeAndAccept(fileDialog, u"new"_qs);
    });
    EXPECT_EQ(nameBox, u"FILE_ID.DIZ"_qs);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(u'\n').toStdString();
    EXPECT_EQ(error, 0);
    EXPECT_EQ(dialog.FileName, folder.path(u"new.diz"_qs));
    EXPECT_EQ(dialog.FileTitle, u"new.diz"_qs);
}

TEST_F(CommonDialogTest, SaveAsksBeforeReplacingAndNoReturnsToTheDialog)
{
    PrepareSave();
    QStringList boxes;
    bool stillOpen = false;
    const int error = ShowDriven(dialog, Kind::Save, [&](QFileDialog &fileDialog) {
        fileDialog.setDirectory(folder.root());
        boxes = TypeAndAccept(fileDialog, u"FILE_ID.DIZ"_qs, QMessageBox::No);
        stillOpen = fileDialog.isVisible();
    });
    ASSERT_EQ(boxes.size(), 1) << boxes.join(u'\n').toStdString();
    EXPECT_TRUE(boxes.constFirst().contains(u"already exists"_qs))
        << boxes.constFirst().toStdString();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(error, ErrorNumber::DialogCancelled);
    EXPECT_EQ(ScratchFolder::read(folder.path(u"FILE_ID.DIZ"_qs)), QByteArray("text"));
}

TEST_F(CommonDialogTest, SaveWithoutTheFlagReplacesWithoutAsking)
{
    PrepareSave();
    dialog.Flags = 0;
    QStringList boxes;
    const int error = ShowDriven(dialog, Kind::Save, [&](QFileDialog &fileDialog) {
        fileDialog.setDirectory(folder.root());
        boxes = TypeAndAccept(fileDialog, u"FILE_ID.DIZ"_qs);
    });
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(u'\n').toStdString();
    EXPECT_EQ(error, 0);
    EXPECT_EQ(dialog.FileName, folder.path(u"FILE_ID.DIZ"_qs));
}

TEST_F(CommonDialogTest, CancelIsAnErrorOnlyWhenAskedFor)
{
    PrepareSave();
    dialog.FileTitle = u"before"_qs;
    EXPECT_EQ(ShowDriven(dialog, Kind::Save, [](QFileDialog &) {}), ErrorNumber::DialogCancelled);
    dialog.CancelError = false;
    EXPECT_EQ(ShowDriven(dialog, Kind::Open, [](QFileDialog &) {}), 0);
    EXPECT_EQ(dialog.FileName, u"FILE_ID.DIZ"_qs);
    EXPECT_EQ(dialog.FileTitle, u"before"_qs);
}

} // namespace
