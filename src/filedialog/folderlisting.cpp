#include "filedialog/folderlisting.h"

#include "platform/filenames.h"

#include <QApplication>
#include <QDateTime>
#include <QLocale>
#include <QStyle>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

void FolderListing::show(const QString &folder, const QString &patternText)
{
    beginResetModel();
    folder_ = folder;
    patternText_ = patternText;
    FolderReading reading = ReadFolder(folder, patternText, hiddenShown_);
    entries_ = std::move(reading.entries);
    std::sort(entries_.begin(), entries_.end(), [this](const Entry &a, const Entry &b) {
        return ComesBefore(a, b, sortColumn_, sortOrder_);
    });
    readError_ = reading.error ? QString::fromLocal8Bit(std::strerror(reading.error)) : QString();
    endResetModel();
}

int FolderListing::rowOf(const QString &name) const
{
    for (int row = 0; row < entries_.size(); ++row) {
        if (entries_.at(row).name == name)
            return row;
    }
    return -1;
}

int FolderListing::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

int FolderListing::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant FolderListing::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= entries_.size())
        return {};
    const Entry &item = entries_.at(index.row());
    switch (FolderColumn(index.column())) {
    case FolderColumn::Name:
        return nameData(item, role);
    case FolderColumn::Size:
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole || item.isFolder || item.isBrokenLink)
            return {};
        // As the desktop's file manager: "1 byte", "999 bytes", "1.5 kB", "3.5 MB".
        if (item.size == 1)
            return u"1 byte"_qs;
        return QLocale().formattedDataSize(item.size, 1, QLocale::DataSizeSIFormat);
    case FolderColumn::Modified:
        if (role != Qt::DisplayRole)
            return {};
        return QLocale().toString(QDateTime::fromMSecsSinceEpoch(item.modified / 1'000'000),
                                  QLocale::ShortFormat);
    }
    return {};
}

// The icons tell folders, files and broken links apart on the screen; the descriptions tell them
// apart to a screen reader.
QVariant FolderListing::nameData(const Entry &item, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        return DisplayFileName(item.name);
    case Qt::DecorationRole:
        return QApplication::style()->standardIcon(item.isFolder       ? QStyle::SP_DirIcon
                                                   : item.isBrokenLink ? QStyle::SP_FileLinkIcon
                                                                       : QStyle::SP_FileIcon);
    case Qt::AccessibleDescriptionRole:
    case Qt::ToolTipRole:
        if (item.isBrokenLink)
            return u"Broken link"_qs;
        return role == Qt::ToolTipRole ? QVariant() : item.isFolder ? u"Folder"_qs : u"File"_qs;
    default:
        return {};
    }
}

QVariant FolderListing::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && section == 1)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString titles[] = {u"Name"_qs, u"Size"_qs, u"Modified"_qs};
    return section >= 0 && section < 3 ? titles[section] : QVariant();
}

// A broken link is seen, greyed, but cannot be chosen.
Qt::ItemFlags FolderListing::flags(const QModelIndex &index) const
{
    if (!index.isValid() || entries_.at(index.row()).isBrokenLink)
        return Qt::ItemNeverHasChildren;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

// Sorts in place, so that the current item and the selection stay on their entries.
void FolderListing::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= 3)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    sortColumn_ = FolderColumn(column);
    sortOrder_ = order;
    QList<int> oldRows(entries_.size());
    std::iota(oldRows.begin(), oldRows.end(), 0);
    std::sort(oldRows.begin(), oldRows.end(), [this](int a, int b) {
        return ComesBefore(entries_.at(a), entries_.at(b), sortColumn_, sortOrder_);
    });
    QList<Entry> sorted;
    sorted.reserve(entries_.size());
    QList<int> newRows(entries_.size());
    for (int row = 0; row < oldRows.size(); ++row) {
        sorted.append(entries_.at(oldRows.at(row)));
        newRows[oldRows.at(row)] = row;
    }
    entries_ = std::move(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex &index : before)
        after.append(this->index(newRows.at(index.row()), index.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

PathKind KindOfPath(const QString &path)
{
    struct stat status;
    if (stat(EncodeFileName(path).constData(), &status) != 0)
        return PathKind::Missing;
    return S_ISDIR(status.st_mode) ? PathKind::Folder : PathKind::File;
}

QString WorkingFolder()
{
    QByteArray buffer(4096, '\0');
    while (!getcwd(buffer.data(), size_t(buffer.size()))) {
        if (errno != ERANGE)
            return u"/"_qs;
        buffer.resize(buffer.size() * 2);
    }
    return DecodeFileName(QByteArray(buffer.constData()));
}
