#include "textarea/ansi.h"

#include <array>

namespace {

// 0x80-0x9F; the undefined five map to themselves.
constexpr std::array<char16_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QChar AnsiToChar(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(HighControlRange[byte - 0x80]);
    return QChar(byte);
}

int CharToAnsi(QChar character)
{
    const char16_t code = character.unicode();
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return code;
    for (std::size_t i = 0; i < HighControlRange.size(); ++i) {
        if (HighControlRange[i] == code)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

QChar ToAnsiRepresentable(QChar character)
{
    return CharToAnsi(character) < 0 ? QChar(u'?') : character;
}

QString DecodeAnsi(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes)
        *out++ = AnsiToChar(static_cast<unsigned char>(byte));
    return text;
}

QByteArray EncodeAnsi(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar character : text) {
        const int byte = CharToAnsi(character);
        *out++ = static_cast<char>(byte < 0 ? '?' : byte);
    }
    return bytes;
}
