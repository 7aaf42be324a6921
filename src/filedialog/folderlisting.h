#pragma once

#include "filedialog/folderentries.h"
#include "filedialog/nameboxentry.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>

// The file dialog's list: one folder's entries (see folderentries.h) in the columns Name, Size
// and Modified, sorted by any of them, by name at first. Names are shown as a file manager shows
// them and kept whole underneath.
class FolderListing : public QAbstractTableModel
{
    Q_OBJECT

public:
    using Entry = FolderEntry;

    using QAbstractTableModel::QAbstractTableModel;

    void show(const QString &folder, const QString &patternText);
    // Reads the folder again, for a file that came or went.
    void reread() { show(folder_, patternText_); }
    // From the next reading on.
    void setHiddenShown(bool shown) { hiddenShown_ = shown; }

    QString folder() const { return folder_; }
    // Why the folder could not be read, in the system's words; empty when it was read.
    QString readError() const { return readError_; }
    const Entry &entry(int row) const { return entries_.at(row); }
    int rowOf(const QString &name) const;

    using QAbstractTableModel::index;
    // The name cell of the row.
    QModelIndex index(int row) const { return index(row, 0); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    QVariant nameData(const Entry &item, int role) const;

    QString folder_;
    QString patternText_;
    bool hiddenShown_ = false;
    FolderColumn sortColumn_ = FolderColumn::Name;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    QList<Entry> entries_;
    QString readError_;
};

// What is at a full path, following links: nothing, a folder or a file.
PathKind KindOfPath(const QString &path);

// The process's working folder, its name kept whole.
QString WorkingFolder();
