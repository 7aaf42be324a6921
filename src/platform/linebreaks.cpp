#include "platform/linebreaks.h"

#include <algorithm>

LineBreaks::LineBreaks(QByteArray kinds)
    : kinds_(std::move(kinds)), crLfCount_(std::count(kinds_.cbegin(), kinds_.cend(), CrLf))
{
}

void LineBreaks::splice(int first, int removed, int added)
{
    const auto begin = kinds_.cbegin() + first;
    crLfCount_ -= std::count(begin, begin + removed, CrLf);
    kinds_.replace(first, removed, QByteArray(added, CrLf));
    crLfCount_ += added;
}

SplitText SplitAtLineBreaks(const QString &text)
{
    QString lines;
    lines.reserve(text.size());
    QByteArray kinds;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            const bool pair = i + 1 < size && text.at(i + 1) == u'\n';
            kinds.append(pair ? LineBreaks::CrLf : LineBreaks::Cr);
            lines.append(u'\n');
            i += pair ? 1 : 0;
        } else if (c == u'\n') {
            kinds.append(LineBreaks::Lf);
            lines.append(u'\n');
        } else {
            lines.append(c);
        }
    }
    return {lines, LineBreaks(std::move(kinds))};
}
