#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// One folder's entries as the file dialog lists them, read byte by byte so that every name is
// kept whole (see filenames.h), and the orders they are listed in.

struct FolderEntry
{
    QString name;
    bool isFolder = false;
    // A symbolic link whose target is missing: listed, so that its name is seen to be taken,
    // but it cannot be opened.
    bool isBrokenLink = false;
    qint64 size = 0;     // bytes; of the target for a link
    qint64 modified = 0; // nanoseconds since 1970; of the link itself when it is broken
};

struct FolderReading
{
    QList<FolderEntry> entries;
    int error = 0; // the errno of a failed opendir or readdir
};

// The subfolders of the folder and its files that match the patterns; hidden ones (names that
// start with a dot) only when shown, hidden files also by a pattern that starts with a dot.
FolderReading ReadFolder(const QString &folder, const QString &patternText, bool hiddenShown);

enum class FolderColumn { Name, Size, Modified };

// Folders before files in every order; within each, by the column, names without regard to
// case, equal keys by name; descending is ascending turned round.
bool ComesBefore(const FolderEntry &a, const FolderEntry &b, FolderColumn column,
                 Qt::SortOrder order);
