#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes as the whole new content of the file at path, creating it if need be. Returns 0,
// or the run-time error number of the step that failed.
//
// A failed write leaves every byte the file held, on any file system, and a save gives no one
// more access to the file than it gave before. The new content goes to a file beside the old one,
// which takes its place, owner, group, permission bits, access control list and extended
// attributes only once it is complete and on disk; where the file system allows, that file has no
// name until then, so that a save ended part way leaves nothing behind. A symbolic link keeps
// pointing where it did, and its target gets the new content. A file that cannot be replaced that
// way is written in place, without losing its old content to a failure: a file with several names
// (hard links), a file in a folder that takes no new files, a file owned by someone else or whose
// group or attributes cannot be carried over, a bind-mounted file, a file on a disk without room
// for a whole copy, and anything that is not a regular file. A file the user may not write fails
// before anything is written.
int WriteWholeFile(const QString &path, const QByteArray &bytes);
