#pragma once

#include <QByteArray>
#include <QString>

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

// Reads a regular file whole; anything else (a folder, a FIFO, a device) is refused without
// being opened for reading, so that it can never hang the program.
FileRead ReadWholeFile(const QString &path);

// Puts the file's content into the text area. On failure shows the box from LoadErrorTable and
// leaves the text area and the document as they were. Returns whether the text area now holds
// the file's content.
bool LoadFile(DocumentWindow &window, const QString &path);
