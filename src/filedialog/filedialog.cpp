#include "filedialog/filedialog.h"

#include "controls/centredmessagebox.h"
#include "filedialog/folderlisting.h"
#include "filedialog/replacequestion.h"
#include "platform/filenames.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

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

void FileDialog::buildLayout(CommonDialog::Kind kind)
{
    const bool save = kind == CommonDialog::Kind::Save;
    auto *lookInLabel = new QLabel(save ? u"Save &in:"_qs : u"Look &in:"_qs);
    lookIn_ = new QComboBox;
    lookIn_->setObjectName(u"lookInCombo"_qs);
    lookInLabel->setBuddy(lookIn_);
    connect(lookIn_, &QComboBox::activated, this,
            [this](int index) { goTo(lookIn_->itemData(index).toString()); });

    // Backspace in the list goes up as well, as in the file managers.
    auto *upAction =
        new QAction(style()->standardIcon(QStyle::SP_FileDialogToParent), u"Up One Level"_qs, this);
    upAction->setShortcut(Qt::Key_Backspace);
    upAction->setShortcutContext(Qt::WidgetShortcut);
    connect(upAction, &QAction::triggered, this, [this] { goTo(FolderPart(folder())); });
    up_ = new QToolButton;
    up_->setObjectName(u"upButton"_qs);
    up_->setDefaultAction(upAction);
    up_->setAccessibleName(upAction->text());

    list_ = new QListView;
    list_->setObjectName(u"fileList"_qs);
    list_->setAccessibleName(u"Folders and files"_qs);
    list_->setModel(listing_);
    list_->setUniformItemSizes(true);
    list_->addAction(upAction);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileDialog::takeListSelection);
    connect(list_, &QListView::doubleClicked, this, &FileDialog::openListItem);

    auto *nameLabel = new QLabel(u"File &name:"_qs);
    nameBox_ = new QLineEdit;
    nameBox_->setObjectName(u"fileNameEdit"_qs);
    nameLabel->setBuddy(nameBox_);

    auto *typesLabel = new QLabel(save ? u"Save as &type:"_qs : u"Files of &type:"_qs);
    types_ = new QComboBox;
    types_->setObjectName(u"fileTypeCombo"_qs);
    typesLabel->setBuddy(types_);

    auto *acceptButton = new QPushButton(save ? u"&Save"_qs : u"&Open"_qs);
    acceptButton->setObjectName(u"acceptButton"_qs);
    acceptButton->setDefault(true);
    connect(acceptButton, &QPushButton::clicked, this, &FileDialog::accept);
    auto *cancelButton = new QPushButton(u"Cancel"_qs);
    cancelButton->setObjectName(u"cancelButton"_qs);
    connect(cancelButton, &QPushButton::clicked, this, &FileDialog::reject);

    auto *lookInRow = new QHBoxLayout;
    lookInRow->addWidget(lookIn_, 1);
    lookInRow->addWidget(up_);
    auto *grid = new QGridLayout(this);
    grid->addWidget(lookInLabel, 0, 0);
    grid->addLayout(lookInRow, 0, 1, 1, 2);
    grid->addWidget(list_, 1, 0, 1, 3);
    grid->addWidget(nameLabel, 2, 0);
    grid->addWidget(nameBox_, 2, 1);
    grid->addWidget(acceptButton, 2, 2);
    grid->addWidget(typesLabel, 3, 0);
    grid->addWidget(types_, 3, 1);
    grid->addWidget(cancelButton, 3, 2);
    grid->setRowStretch(1, 1);
    QWidget *const tabOrder[] = {lookIn_, up_, list_, nameBox_, types_, acceptButton, cancelButton};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    grid->setColumnStretch(1, 1);
    resize(560, 360);
}

QString FileDialog::folder() const
{
    return listing_->folder();
}

void FileDialog::accept()
{
    const QModelIndex current = list_->currentIndex();
    if (list_->hasFocus() && current.isValid() && listing_->entry(current.row()).isFolder)
        openListItem(current);
    else
        takeNameBox();
}

void FileDialog::goTo(const QString &folder)
{
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    listing_->show(folder, patternText_);
    watcher_.addPath(folder);
    fillLookIn();
    up_->defaultAction()->setEnabled(folder != u"/");
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
    if (row < 0)
        return;
    const QSignalBlocker blocker(list_->selectionModel());
    list_->selectionModel()->setCurrentIndex(listing_->index(row),
                                             selected ? QItemSelectionModel::Select
                                                      : QItemSelectionModel::NoUpdate);
    list_->viewport()->update();
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
    const QModelIndexList selected = list_->selectionModel()->selectedIndexes();
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
    const NameBoxMeaning meaning =
        InterpretNameBox(nameBoxText(), {folder(), defaultExt_, !save_, KindOfPath});
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
