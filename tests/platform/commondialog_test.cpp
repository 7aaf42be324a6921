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
        if (!fileDialog)
            return;
        drive(*fileDialog);
        if (fileDialog->isVisible())
            fileDialog->reject();
    });
    return kind == Kind::Open ? dialog.ShowOpen() : dialog.ShowSave();
}

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

void TypeAndAccept(QFileDialog &fileDialog, const QString &name)
{
    if (auto *nameBox = fileDialog.findChild<QLineEdit *>(u"fileNameEdit"_qs))
        nameBox->setText(name);
    // QFileDialog hides accept(); QDialog's reaches it, as the dialog's own Open or Save button.
    static_cast<QDialog &>(fileDialog).accept();
}

// Accepts the typed name and answers the box the dialog raises with the given button; returns
// the box's text, empty when none came.
QString AcceptAnsweringBox(QFileDialog &fileDialog, const QString &name,
                           QMessageBox::StandardButton answer)
{
    auto boxText = std::make_shared<QString>();
    QTimer::singleShot(0, [boxText, answer] {
        if (QMessageBox *box = WaitForModal<QMessageBox>()) {
            *boxText = box->text();
            if (QAbstractButton *button = box->button(answer))
                button->click();
            else
                box->reject();
        }
    });
    TypeAndAccept(fileDialog, name);
    return *boxText;
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
    QStringList filterNames;
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
        TypeAndAccept(fileDialog, u"other"_qs);
    });

    EXPECT_EQ(title, u"Open DIZ File"_qs);
    EXPECT_EQ(nameBox, u"*.diz"_qs);
    EXPECT_EQ(filterNames, QStringList({u"Description In Zip"_qs, u"All Files"_qs}));
    EXPECT_EQ(dizListing, QSet<QString>({u"FILE_ID.DIZ"_qs, u"other.diz"_qs}));
    EXPECT_EQ(allListing,
              QSet<QString>({u"FILE_ID.DIZ"_qs, u"other.diz"_qs, u"notes.txt"_qs, u"README"_qs}));
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

TEST_F(CommonDialogTest, OpenRefusesANameThatDoesNotExist)
{
    PrepareOpen();
    bool stillOpen = false;
    const int error = ShowDriven(dialog, Kind::Open, [&](QFileDialog &fileDialog) {
        fileDialog.setDirectory(folder.root());
        AcceptAnsweringBox(fileDialog, u"missing"_qs, QMessageBox::Ok);
        stillOpen = fileDialog.isVisible();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(error, ErrorNumber::DialogCancelled);
}

TEST_F(CommonDialogTest, SaveStartsWithTheGivenNameAndAddsTheExtension)
{
    PrepareSave();
    QString nameBox;
    const int error = ShowDriven(dialog, Kind::Save, [&](QFileDialog &fileDialog) {
        if (auto *edit = fileDialog.findChild<QLineEdit *>(u"fileNameEdit"_qs))
            nameBox = edit->text();
        fileDialog.setDirectory(folder.root());
        TypeAndAccept(fileDialog, u"new"_qs);
    });
    EXPECT_EQ(nameBox, u"FILE_ID.DIZ"_qs);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(dialog.FileName, folder.path(u"new.diz"_qs));
    EXPECT_EQ(dialog.FileTitle, u"new.diz"_qs);
}

TEST_F(CommonDialogTest, SaveAsksBeforeReplacingAndNoReturnsToTheDialog)
{
    PrepareSave();
    QString question;
    bool stillOpen = false;
    const int error = ShowDriven(dialog, Kind::Save, [&](QFileDialog &fileDialog) {
        fileDialog.setDirectory(folder.root());
        question = AcceptAnsweringBox(fileDialog, u"FILE_ID.DIZ"_qs, QMessageBox::No);
        stillOpen = fileDialog.isVisible();
    });
    EXPECT_TRUE(question.contains(u"already exists"_qs)) << question.toStdString();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(error, ErrorNumber::DialogCancelled);
    EXPECT_EQ(ScratchFolder::read(folder.path(u"FILE_ID.DIZ"_qs)), QByteArray("text"));
}

TEST_F(CommonDialogTest, SaveWithoutTheFlagReplacesWithoutAsking)
{
    PrepareSave();
    dialog.Flags = 0;
    const int error = ShowDriven(dialog, Kind::Save, [&](QFileDialog &fileDialog) {
        fileDialog.setDirectory(folder.root());
        TypeAndAccept(fileDialog, u"FILE_ID.DIZ"_qs);
    });
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
