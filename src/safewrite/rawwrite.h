#pragma once

#include <QByteArray>
#include <sys/types.h>

// The system calls under the save. Each returns 0 or the errno value of what failed.

// Writes size bytes at offset (or, for -1, where the file stands: a pipe or a device), going on
// after interruptions. A write that stops short reports the reason it stopped: running out of
// room, or the file size limit.
int WriteAllAt(int fd, const char *data, qint64 size, off_t offset);

// Reads size bytes from offset into buffer; a file that ends early is EIO.
int ReadAllAt(int fd, char *buffer, qint64 size, off_t offset);

// EFBIG when the process may not make a file of size bytes. Checked before writing, so the limit
// is a failure to report rather than a signal that ends the program.
int CheckSizeLimit(qint64 size);

// Closes fd; a failure to close is the result only when nothing failed before (error is 0).
int CloseChecked(int fd, int error);

// Flushes the file's content to the disk, where a network file system reports what it refused.
int FlushToDisk(int fd);

// Gives a file opened without a name (O_TMPFILE) the name given, which must not exist yet. Through
// the descriptor's entry in /proc, which unlike a link to the descriptor itself needs no privilege.
int LinkUnnamedFile(int fd, const QByteArray &name);
