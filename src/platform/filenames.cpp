#include "platform/filenames.h"

#include <climits>
#include <unistd.h>

namespace {

constexpr char16_t EscapeBase = 0xDC00;

// A low surrogate stands for a byte only when it does not complete a pair, which is how a
// character beyond U+FFFF is held.
bool IsEscapedByte(QStringView name, qsizetype i)
{
    const char16_t unit = name.at(i).unicode();
    return unit >= 0xDC80 && unit <= 0xDCFF && (i == 0 || !name.at(i - 1).isHighSurrogate());
}

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// One valid UTF-8 sequence: its length in bytes and the code point it stands for.
struct Sequence
{
    int length = 0;
    char32_t code = 0;
};

// The valid UTF-8 sequence that starts at bytes[i], or a length of 0 when there is none:
// overlong forms, surrogates and code points past U+10FFFF are not valid.
Sequence ValidSequenceAt(const QByteArray &bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes.at(k)); };
    const unsigned char lead = at(i);
    if (lead < 0x80)
        return {1, lead};
    int length = 0;
    char32_t minimum = 0;
    char32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
        return {};
    }
    if (i + length > bytes.size())
        return {};
    for (int k = 1; k < length; ++k) {
        if (!IsContinuation(at(i + k)))
            return {};
        code = (code << 6) | (at(i + k) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {};
    return {length, code};
}

} // namespace

QString DecodeFileName(const QByteArray &bytes)
{
    QString name;
    name.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const Sequence sequence = ValidSequenceAt(bytes, i);
        if (sequence.length == 0) {
            name.append(QChar(char16_t(EscapeBase + static_cast<unsigned char>(bytes.at(i)))));
            ++i;
        } else {
            // The code point itself: Qt's conversions drop a byte-order mark (EF BB BF), and
            // the name would then be another file's.
            if (QChar::requiresSurrogates(sequence.code)) {
                name.append(QChar(QChar::highSurrogate(sequence.code)));
                name.append(QChar(QChar::lowSurrogate(sequence.code)));
            } else {
                name.append(QChar(char16_t(sequence.code)));
            }
            i += sequence.length;
        }
    }
    return name;
}

QByteArray EncodeFileName(const QString &name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        if (i < name.size() && !IsEscapedByte(name, i))
            continue;
        bytes.append(QStringView(name).mid(runStart, i - runStart).toUtf8());
        if (i < name.size())
            bytes.append(static_cast<char>(name.at(i).unicode() - EscapeBase));
        runStart = i + 1;
    }
    return bytes;
}

QString DisplayFileName(const QString &name)
{
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (IsEscapedByte(name, i))
            shown[i] = QChar::ReplacementCharacter;
    }
    return shown;
}

QString FileNamePart(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString FolderPart(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return u"."_qs;
    return slash == 0 ? u"/"_qs : path.left(slash);
}

QString LinkTarget(const QByteArray &linkName)
{
    char target[PATH_MAX];
    const ssize_t length = ::readlink(linkName.constData(), target, sizeof target);
    if (length <= 0 || length == sizeof target)
        return {};
    return DecodeFileName(QByteArray(target, length));
}
