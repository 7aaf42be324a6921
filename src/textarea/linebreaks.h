#pragma once

#include <QByteArray>
#include <QString>

// The line breaks of a document, one entry per break in text order, each remembering the form it
// had in the file (CR LF, LF or CR), so that a save writes every break back as it was read.
// A break typed or pasted is CR LF.
class LineBreaks
{
public:
    enum Kind : char { CrLf = 'W', Lf = 'L', Cr = 'C' };

    static int ByteLength(Kind kind) { return kind == CrLf ? 2 : 1; }

    LineBreaks() = default;
    explicit LineBreaks(QByteArray kinds);

    int count() const { return static_cast<int>(kinds_.size()); }
    Kind at(int index) const { return static_cast<Kind>(kinds_.at(index)); }
    const QByteArray &kinds() const { return kinds_; }

    // The bytes all the breaks take in a file.
    qint64 byteLength() const { return kinds_.size() + crLfCount_; }

    // Replaces `removed` breaks from `first` on with the breaks of the given kinds.
    void replace(int first, int removed, const QByteArray &kinds);

private:
    QByteArray kinds_;
    qint64 crLfCount_ = 0;
};

// A file's text split at its breaks: the lines joined by "\n", and the form of each break.
struct SplitText
{
    QString lines;
    LineBreaks breaks;
};

SplitText SplitAtLineBreaks(const QString &text);
