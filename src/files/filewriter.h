#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes as the whole new content of the file at path, creating it if need be. Returns 0,
// or the run-time error number of the step that failed.
//
// What the file held before survives a failed write: the new content goes to a file beside it,
// which takes the old one's place, owner and permission bits only once it is complete and on
// disk. A symbolic link keeps pointing where it did, and its target gets the new content. A file
// with several names (hard links), a file in a folder that takes no new files, a file that could
// not be handed back to its owner, and anything that is not a regular file are written in place.
// A file the user may not write fails before anything is written.
int WriteWholeFile(const QString &path, const QByteArray &bytes);
