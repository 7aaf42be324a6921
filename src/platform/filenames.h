#pragma once

#include <QByteArray>
#include <QString>

// File names on Linux are bytes, and files unpacked from old archives often carry names that are
// not UTF-8. Qt's own conversion turns such bytes into U+FFFD and so loses the file; these keep
// every name: a byte that is not part of valid UTF-8 becomes the lone surrogate U+DC80 + byte
// (a code point no valid UTF-8 can produce) and goes back to the same byte.

QString DecodeFileName(const QByteArray &bytes);
QByteArray EncodeFileName(const QString &name);

// The name as a file manager shows it: each byte that is not UTF-8 as U+FFFD.
QString DisplayFileName(const QString &name);

// The part of a path after its last "/", and the part before it ("." when there is none, "/"
// for a file in the root folder).
QString FileNamePart(const QString &path);
QString FolderPart(const QString &path);

// What the symbolic link of this name points to, decoded as above; empty when it is no link or
// cannot be read.
QString LinkTarget(const QByteArray &linkName);
