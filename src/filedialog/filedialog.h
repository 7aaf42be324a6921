#pragma once

#include "filedialog/commondialog.h"
#include "filedialog/filepatterns.h"
#include "filedialog/nameboxentry.h"

#include <QDialog>
#include <QFileSystemWatcher>

class FolderListing;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class PlacesList;
class QPushButton;
class QToolButton;
class QTreeView;

// The open and save dialog behind CommonDialog, built from standard widgets: a folder combo with
// an Up button (and a New Folder button when saving), the places beside the folder's list with
// its sizes and times, the name box, the filter combo, and the accept and Cancel buttons. It reads
// folders byte by byte and keeps every name whole, and it writes nothing but the folders the user
// makes: its size and whether it shows hidden files are kept only while the program runs.
class FileDialog : public QDialog
{
    Q_OBJECT

public:
    FileDialog(const CommonDialog &properties, CommonDialog::Kind kind, const QString &folder);

    QString folder() const;
    QString chosenPath() const { return chosenPath_; }

    // The accept button and Enter: with a folder selected in the list, it goes into it, wherever
    // the focus is; in the places it goes to the place; otherwise the name box says what to do.
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildLayout(CommonDialog::Kind kind);
    void buildList();
    void showHidden(bool shown);
    void showReadError();
    void goTo(const QString &folder, const QString &nameToSelect = {});
    void goUp();
    void goToPlace();
    void makeFolder();
    void selectListed(const QString &name);
    QModelIndex selectedFolder() const;
    void showAcceptMeaning();
    void listBy(const QString &patternText);
    void selectFilter(int index);
    void takeListSelection();
    void openListItem(const QModelIndex &index);
    void takeNameBox();
    void chooseFile(const NameBoxMeaning &meaning);
    void setNameBox(const QString &name, bool listed = false);
    QString nameBoxText() const;
    void fillLookIn();
    void reread();
    void tell(const QString &text);

    const bool save_;
    const bool mustExist_;
    const bool overwritePrompt_;
    const QString defaultExt_;
    const QList<FilterEntry> filters_;

    QComboBox *lookIn_;
    QToolButton *up_;
    PlacesList *places_;
    QTreeView *list_;
    QLabel *readError_;
    QAction *showHidden_;
    QLineEdit *nameBox_;
    QComboBox *types_;
    QPushButton *acceptButton_;
    FolderListing *listing_;
    QFileSystemWatcher watcher_;
    QString patternText_;
    // The name last put into the box, and whether it came from the list: the box shows its
    // display form, and while it still does, taking the box takes this whole name.
    QString boxName_;
    bool boxListed_ = false;
    QString chosenPath_;
};
