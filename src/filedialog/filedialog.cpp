#include "filedialog/filedialog.h"

#include "controls/centredmessagebox.h"
#include "filedialog/folderlisting.h"
#include "filedialog/newfolder.h"
#include "filedialog/places.h"
#include "filedialog/placeslist.h"
#include "filedialog/replacequestion.h"
#include "platform/filenames.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// What the dialog keeps from one showing to the next while the program runs; never written.
struct KeptBetweenShowings
{
    QSize size{760, 400};
    bool hiddenShown = false;
};

KeptBetweenShowings &Kept()
{
    static KeptBetweenShowings kept;
    return kept;
}

} // namespace

FileDialog::FileDialog(const CommonDialog &properties, CommonDialog::Kind kind,
                       const QString &folder)
    : QDialog(properties.owner()), save_(kind == CommonDialog::Kind::Save),
      mustExist_(properties.Flags & CommonDialog::FileMustExist),
      overwritePrompt_(save_ && (properties.Flags & CommonDialog::OverwritePrompt)),
      defaultExt_(properties.DefaultExt), filters_(ParseFilter(properties.Filter)),
      listing_(new FolderListing(this))
{
    setWindowTitle(properties.DialogTitle);
    buildLayout(kind);

    for (const FilterEntry &entry : filters_)
        types_->addItem(entry.description);
    if (filters_.isEmpty()) {
        patternText_ = u"*"_qs;
    } else {
        const int index = std::clamp(properties.FilterIndex, 1, int(filters_.size())) - 1;
        types_->setCurrentIndex(index);
        patternText_ = filters_.at(index).patternText;
    }
    connect(types_, &QComboBox::currentIndexChanged, this, &FileDialog::selectFilter);

    // A pattern given as the file name lists the folder from the start.
    const QString name = FileNamePart(properties.FileName);
    setNameBox(name);
    if (IsPattern(name))
        patternText_ = name;

    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FileDialog::reread);
    goTo(folder);
    nameBox_->setFocus();
    nameBox_->selectAll();
}

// Centred over the main window as the message boxes are, not where Qt guesses its frame to be.
void FileDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && parentWidget())
        CentreOverOwner(this, parentWidget());
}

void FileDialog::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        Kept().size = size();
}

void FileDialog::buildLayout(CommonDialog::Kind kind)
{
    const bool save = kind == CommonDialog::Kind::Save;
    auto *lookInLabel = new QLabel(save ? u"Save &in:"_qs : u"Look &in:"_qs);
    lookIn_ = new QComboBox;
    lookIn_->setObjectName(u"lookInCombo"_qs);
    lookInLabel->setBuddy(lookIn_);
    connect(lookIn_, &QComboBox::activated, this,
            [this](int index) { goTo(lookIn_->itemData(index).toString()); });

    // Alt+Up and Backspace go up, as in the file managers; a text field being edited keeps
    // Backspace for itself.
    auto *upAction =
        new QAction(style()->standardIcon(QStyle::SP_FileDialogToParent), u"Up One Level"_qs, this);
    upAction->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Up), QKeySequence(Qt::Key_Backspace)});
    connect(upAction, &QAction::triggered, this, &FileDialog::goUp);
    addAction(upAction);
    up_ = new QToolButton;
    up_->setObjectName(u"upButton"_qs);
    up_->setDefaultAction(upAction);
    up_->setAccessibleName(upAction->text());
    QToolButton *newFolder = nullptr;
    if (save) {
        auto *newFolderAction = new QAction(style()->standardIcon(QStyle::SP_FileDialogNewFolder),
                                            u"New Folder"_qs, this);
        connect(newFolderAction, &QAction::triggered, this, &FileDialog::makeFolder);
        newFolder = new QToolButton;
        newFolder->setObjectName(u"newFolderButton"_qs);
        newFolder->setDefaultAction(newFolderAction);
        newFolder->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        newFolder->setAccessibleName(newFolderAction->text());
    }

    buildList();

    auto *nameLabel = new QLabel(u"File &name:"_qs);
    nameBox_ = new QLineEdit;
    nameBox_->setObjectName(u"fileNameEdit"_qs);
    nameLabel->setBuddy(nameBox_);
    // A name typed after a folder was selected is the one to take.
    connect(nameBox_, &QLineEdit::textEdited, list_, &QAbstractItemView::clearSelection);

    auto *typesLabel = new QLabel(save ? u"Save as &type:"_qs : u"Files of &type:"_qs);
    types_ = new QComboBox;
    types_->setObjectName(u"fileTypeCombo"_qs);
    typesLabel->setBuddy(types_);

    acceptButton_ = new QPushButton(save ? u"&Save"_qs : u"&Open"_qs);
    acceptButton_->setObjectName(u"acceptButton"_qs);
    acceptButton_->setDefault(true);
    connect(acceptButton_, &QPushButton::clicked, this, &FileDialog::accept);
    auto *cancelButton = new QPushButton(u"Cancel"_qs);
    cancelButton->setObjectName(u"cancelButton"_qs);
    connect(cancelButton, &QPushButton::clicked, this, &FileDialog::reject);

    auto *lookInRow = new QHBoxLayout;
    lookInRow->addWidget(lookIn_, 1);
    lookInRow->addWidget(up_);
    if (newFolder)
        lookInRow->addWidget(newFolder);
    places_ = new PlacesList;
    connect(places_, &QListWidget::itemClicked, this, &FileDialog::goToPlace);
    auto *browser = new QSplitter;
    browser->setChildrenCollapsible(false);
    browser->addWidget(places_);
    auto *listColumn = new QWidget;
    auto *listColumnLayout = new QVBoxLayout(listColumn);
    listColumnLayout->setContentsMargins(0, 0, 0, 0);
    listColumnLayout->addWidget(readError_);
    listColumnLayout->addWidget(list_);
    browser->addWidget(listColumn);
    browser->setStretchFactor(1, 1);
    browser->setSizes({places_->minimumWidth(), width()});
    auto *grid = new QGridLayout(this);
    grid->addWidget(lookInLabel, 0, 0);
    grid->addLayout(lookInRow, 0, 1, 1, 2);
    grid->addWidget(browser, 1, 0, 1, 3);
    grid->addWidget(nameLabel, 2, 0);
    grid->addWidget(nameBox_, 2, 1);
    grid->addWidget(acceptButton_, 2, 2);
    grid->addWidget(typesLabel, 3, 0);
    grid->addWidget(types_, 3, 1);
    grid->addWidget(cancelButton, 3, 2);
    grid->setRowStretch(1, 1);
    QList<QWidget *> tabOrder = {lookIn_,  up_,    places_,       list_,
                                 nameBox_, types_, acceptButton_, cancelButton};
    if (newFolder)
        tabOrder.insert(2, newFolder);
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
    grid->setColumnStretch(1, 1);
    resize(Kept().size);
}

// The list as a table of names, sizes and times, sorted by a click on a column's header; the
// Show Hidden Files switch in its context menu and on Ctrl+H; over it, why a folder cannot be
// read, said to a screen reader by the list as well.
void FileDialog::buildList()
{
    list_ = new QTreeView;
    list_->setObjectName(u"fileList"_qs);
    list_->setAccessibleName(u"Folders and files"_qs);
    list_->setModel(listing_);
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSortingEnabled(true);
    list_->sortByColumn(0, Qt::AscendingOrder);
    QHeaderView *header = list_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    // Measured on samples, not on every row of a large folder.
    const QString longestTime =
        QLocale().toString(QDateTime({2000, 12, 28}, {23, 59}), QLocale::ShortFormat);
    const int padding = 3 * style()->pixelMetric(QStyle::PM_HeaderMargin) + 16;
    header->resizeSection(1, fontMetrics().horizontalAdvance(u"999 bytes"_qs) + padding);
    header->resizeSection(2, fontMetrics().horizontalAdvance(longestTime) + padding);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileDialog::takeListSelection);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileDialog::showAcceptMeaning);
    connect(list_, &QAbstractItemView::doubleClicked, this, &FileDialog::openListItem);

    showHidden_ = new QAction(u"Show &Hidden Files"_qs, this);
    showHidden_->setObjectName(u"showHiddenAction"_qs);
    showHidden_->setCheckable(true);
    showHidden_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    showHidden_->setChecked(Kept().hiddenShown);
    listing_->setHiddenShown(Kept().hiddenShown);
    addAction(showHidden_);
    connect(showHidden_, &QAction::toggled, this, &FileDialog::showHidden);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu;
        menu.addAction(showHidden_);
        menu.exec(list_->viewport()->mapToGlobal(at));
    });

    readError_ = new QLabel;
    readError_->setObjectName(u"readErrorLabel"_qs);
    readError_->setWordWrap(true);
    readError_->hide();
    connect(listing_, &QAbstractItemModel::modelReset, this, &FileDialog::showReadError);
}

void FileDialog::showHidden(bool shown)
{
    Kept().hiddenShown = shown;
    listing_->setHiddenShown(shown);
    reread();
}

void FileDialog::showReadError()
{
    const QString reason = listing_->readError();
    const QString text =
        reason.isEmpty() ? QString() : u"This folder cannot be read: %1"_qs.arg(reason);
    readError_->setText(text);
    readError_->setVisible(!text.isEmpty());
    list_->setAccessibleDescription(text);
}

QString FileDialog::folder() const
{
    return listing_->folder();
}

void FileDialog::accept()
{
    // In the list, Enter opens the item the keyboard is on, selected or not.
    const QModelIndex current = list_->currentIndex();
    if (places_->hasFocus() && !places_->currentPath().isEmpty())
        goToPlace();
    else if (list_->hasFocus() && current.isValid() && listing_->entry(current.row()).isFolder)
        openListItem(current);
    else if (const QModelIndex folder = selectedFolder(); folder.isValid())
        openListItem(folder);
    else
        takeNameBox();
}

void FileDialog::goTo(const QString &folder, const QString &nameToSelect)
{
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    listing_->show(folder, patternText_);
    watcher_.addPath(folder);
    fillLookIn();
    places_->markFolder(folder);
    up_->defaultAction()->setEnabled(folder != u"/");
    selectListed(nameToSelect);
    showAcceptMeaning();
}

// Up to the parent folder, with the folder just left selected, so that going back is one key.
void FileDialog::goUp()
{
    const QString left = folder();
    goTo(FolderPart(left), FileNamePart(left));
}

void FileDialog::goToPlace()
{
    if (const QString place = places_->currentPath(); !place.isEmpty())
        goTo(place);
}

void FileDialog::makeFolder()
{
    const QString name = AskNewFolderName(this);
    if (name.isEmpty())
        return;
    const QString failure = MakeFolder(ResolvePath(folder(), name));
    if (!failure.isEmpty()) {
        tell(u"%1\nThe folder could not be made: %2."_qs.arg(DisplayFileName(name), failure));
        return;
    }
    goTo(folder(), name);
}

// Makes the named item of the list current, selected and in view.
void FileDialog::selectListed(const QString &name)
{
    const int row = listing_->rowOf(name);
    if (row < 0)
        return;
    const QModelIndex index = listing_->index(row);
    list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    list_->scrollTo(index);
}

QModelIndex FileDialog::selectedFolder() const
{
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    if (selected.size() == 1 && listing_->entry(selected.constFirst().row()).isFolder)
        return selected.constFirst();
    return {};
}

// With a folder selected the save button opens it, and says so. A new listing clears the
// selection without a word, so each listing asks again.
void FileDialog::showAcceptMeaning()
{
    if (save_)
        acceptButton_->setText(selectedFolder().isValid() ? u"&Open"_qs : u"&Save"_qs);
}

// The folder as a chain from the root, the current folder last and selected.
void FileDialog::fillLookIn()
{
    QStringList chain;
    for (QString path = folder(); path.startsWith(u'/') && path != u"/"; path = FolderPart(path))
        chain.prepend(path);
    chain.prepend(u"/"_qs);
    const QSignalBlocker blocker(lookIn_);
    lookIn_->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    for (const QString &path : chain)
        lookIn_->addItem(icon, DisplayFileName(path), path);
    lookIn_->setCurrentIndex(lookIn_->count() - 1);
}

// A file that comes or goes while the dialog is open shows at once; the item the user is on
// stays current, and the name box keeps what it holds.
void FileDialog::reread()
{
    const QModelIndex current = list_->currentIndex();
    const QString currentName = current.isValid() ? listing_->entry(current.row()).name : QString();
    const bool selected = list_->selectionModel()->isSelected(current);
    listing_->reread();
    const int row = listing_->rowOf(currentName);
    if (row >= 0) {
        const QSignalBlocker blocker(list_->selectionModel());
        list_->selectionModel()->setCurrentIndex(listing_->index(row),
                                                 selected ? QItemSelectionModel::Select
                                                          : QItemSelectionModel::NoUpdate);
        list_->viewport()->update();
    }
    showAcceptMeaning();
}

// A filter chosen in the combo lists the folder by its patterns; a pattern in the name box gives
// way to the filter's, and a name stays exactly as it was typed.
void FileDialog::selectFilter(int index)
{
    patternText_ = filters_.at(index).patternText;
    listing_->show(folder(), patternText_);
    if (!boxListed_ && IsPattern(nameBoxText()))
        setNameBox(patternText_);
}

void FileDialog::takeListSelection()
{
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    if (selected.size() == 1 && !listing_->entry(selected.constFirst().row()).isFolder)
        setNameBox(listing_->entry(selected.constFirst().row()).name, true);
}

void FileDialog::openListItem(const QModelIndex &index)
{
    const FolderListing::Entry &item = listing_->entry(index.row());
    if (item.isFolder) {
        goTo(ResolvePath(folder(), item.name));
        return;
    }
    setNameBox(item.name, true);
    takeNameBox();
}

void FileDialog::takeNameBox()
{
    // A name taken from the list is that file, even when it looks like a pattern or lacks an
    // extension.
    if (boxListed_ && nameBox_->text() == DisplayFileName(boxName_)) {
        const QString path = ResolvePath(folder(), boxName_);
        chooseFile({NameBoxMeaning::Kind::File, path, {}, KindOfPath(path) == PathKind::File});
        return;
    }
    const NameBoxMeaning meaning = InterpretNameBox(
        nameBoxText(), {folder(), defaultExt_, !save_, KindOfPath, HomeFolder(), mustExist_});
    switch (meaning.kind) {
    case NameBoxMeaning::Kind::Nothing:
        return;
    case NameBoxMeaning::Kind::Patterns:
        setNameBox(meaning.patternText);
        patternText_ = meaning.patternText;
        goTo(meaning.path);
        return;
    case NameBoxMeaning::Kind::Folder:
        setNameBox({});
        goTo(meaning.path);
        return;
    case NameBoxMeaning::Kind::MissingFolder:
        tell(u"%1\nPath does not exist.\nCheck the path and try again."_qs.arg(
            DisplayFileName(meaning.path)));
        return;
    case NameBoxMeaning::Kind::File:
        chooseFile(meaning);
        return;
    }
}

void FileDialog::chooseFile(const NameBoxMeaning &meaning)
{
    const QString shownName = DisplayFileName(FileNamePart(meaning.path));
    if (!meaning.exists && mustExist_) {
        tell(u"%1\nFile not found.\nCheck the file name and try again."_qs.arg(shownName));
        return;
    }
    if (meaning.exists && overwritePrompt_ && !AskToReplace(this, windowTitle(), meaning.path))
        return;
    chosenPath_ = meaning.path;
    QDialog::accept();
}

void FileDialog::setNameBox(const QString &name, bool listed)
{
    boxName_ = name;
    boxListed_ = listed;
    nameBox_->setText(DisplayFileName(name));
}

QString FileDialog::nameBoxText() const
{
    return nameBox_->text() == DisplayFileName(boxName_) ? boxName_ : nameBox_->text();
}

void FileDialog::tell(const QString &text)
{
    CentredMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box.exec();
}
