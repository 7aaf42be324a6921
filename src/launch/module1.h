#pragma once

#include <QString>
#include <cstdint>

class QWidget;

// Hands a web address or a file to the program the desktop associates with it. With Silent 1
// nothing is shown and the raw result is returned; otherwise a failure is explained in one box
// from the routine's own table and 0 is returned.
std::int32_t LaunchURL(QWidget *owner, const QString &target, std::int16_t Silent);
std::int32_t LaunchFile(QWidget *owner, const QString &file, const QString &directory,
                        std::int16_t Silent);
