#pragma once

#include <QMap>
#include <QString>
#include <cstdint>

class QWidget;

// Hands a web address or a file to the program the desktop associates with it. With Silent 1
// nothing is shown and the raw result is returned; otherwise a failure is explained in one box
// from the routine's own table and 0 is returned.
std::int32_t LaunchURL(QWidget *owner, const QString &target, std::int16_t Silent);
std::int32_t LaunchFile(QWidget *owner, const QString &file, const QString &directory,
                        std::int16_t Silent);

// The title and sentences of one launcher's failure box. A code without a sentence of its own is
// told by unknownError followed by the code.
struct LaunchErrorTable
{
    QString title;
    QMap<std::int32_t, QString> sentences;
    QString unknownError;

    QString sentenceFor(std::int32_t code) const;
};

extern const LaunchErrorTable LaunchURLErrorTable;
extern const LaunchErrorTable LaunchFileErrorTable;
