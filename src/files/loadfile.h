#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

struct DocumentWindow;

struct MessageRow
{
    QString title;
    QString text;
};

// The box for a file that could not be opened, chosen by its error number.
MessageRow LoadErrorTable(int errorNumber);

// A whole file's bytes, or the error number of what went wrong.
struct FileRead
{
    QByteArray bytes;
    int errorNumber = 0;
};

// Reads a regular file whole, to its end whatever size it reports; anything else (a folder, a
// FIFO, a device) is refused without being opened for reading, so that it can never hang the
// program. A file too big for the memory left is refused before anything is read, one that turns
// out longer than its size as soon as it passes the budget, and so is one whose buffer cannot be
// had. Reading reports the bytes read so far and the size, the larger of the file's reported size
// and the bytes read, first before the first byte and then after every piece.
using ReadProgress = std::function<void(qint64 bytesRead, qint64 fileSize)>;
FileRead ReadWholeFile(const QString &path, const ReadProgress &progress = {});

// Puts the file's content into the text area. On failure, running out of memory included, shows
// the box from LoadErrorTable and leaves the text area and the document as they were. A long load
// shows its progress. Returns whether the text area now holds the file's content.
bool LoadFile(DocumentWindow &window, const QString &path);
