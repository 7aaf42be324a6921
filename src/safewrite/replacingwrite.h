#pragma once

#include <QByteArray>
#include <QString>
#include <sys/stat.h>

// Returned when the file must be written in place after all: its owner, group or attributes
// cannot be given to a new file, its name cannot be taken by another file (a bind mount), or the
// disk has no room for a whole new file.
inline constexpr int MustWriteInPlace = -1;

// Writes bytes to a new file beside target and puts it in target's place once it is complete,
// flushed and carries the old file's owner, attributes and permissions. The new file has no name
// until then where the file system allows it. On any failure target is left as it was and the new
// file is removed. Returns 0, an errno value, or MustWriteInPlace.
int WriteReplacing(const QString &target, const QByteArray &bytes, const struct stat &previous);

// Creates target, which does not exist yet, with the permissions any new file gets there. A
// failed write removes it again. Returns 0 or an errno value (EEXIST when it came into being
// meanwhile).
int WriteNewFile(const QString &target, const QByteArray &bytes);
