#pragma once

#include "filedialog/nameboxentry.h"

#include <QAbstractListModel>
#include <QList>
#include <QString>

// The file dialog's list: the subfolders of one folder, then its files that match the patterns,
// each group sorted by name without regard to case. Folders are read byte by byte, so every name
// is kept whole (see filenames.h) and shown as a file manager shows it.
class FolderListing : public QAbstractListModel
{
    Q_OBJECT

public:
    struct Entry
    {
        QString name;
        bool isFolder = false;
    };

    using QAbstractListModel::QAbstractListModel;

    void show(const QString &folder, const QString &patternText);
    // Reads the folder again, for a file that came or went.
    void reread() { show(folder_, patternText_); }

    QString folder() const { return folder_; }
    const Entry &entry(int row) const { return entries_.at(row); }
    int rowOf(const QString &name) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    QString folder_;
    QString patternText_;
    QList<Entry> entries_;
};

// What is at a full path, following links: nothing, a folder or a file.
PathKind KindOfPath(const QString &path);

// The process's working folder, its name kept whole.
QString WorkingFolder();
