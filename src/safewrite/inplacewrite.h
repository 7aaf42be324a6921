#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes as the new content of the existing file at target, through its own name, so that
// every other name of the file, its owner, permissions, access lists and attributes stay as they
// are. Returns 0 or the errno value of what failed.
//
// A regular file that cannot take the new content keeps every byte it held: the part that needs
// new room is written and flushed first, beyond the old end, and cut off again when it fails;
// should overwriting the old part then fail, the old content is written back. Anything that is
// not a regular file (a device, a FIFO) is simply written, and a FIFO without a reader fails at
// once instead of waiting for one.
int WriteInPlace(const QString &target, const QByteArray &bytes);
