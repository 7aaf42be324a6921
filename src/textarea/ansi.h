#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>

// The single-byte character set of documents: Windows-1252, with the five bytes it leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) standing for the control characters of the same value,
// so that every byte has exactly one character and every such character exactly one byte.

QChar AnsiToChar(unsigned char byte);

// The byte of a character, or -1 when the character has none.
int CharToAnsi(QChar character);

// A character that has no byte becomes "?", so what is shown is what a save writes.
QChar ToAnsiRepresentable(QChar character);

QString DecodeAnsi(QByteArrayView bytes);

// Characters without a byte are written as "?".
QByteArray EncodeAnsi(const QString &text);
