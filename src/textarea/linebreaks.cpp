#include "textarea/linebreaks.h"

#include <algorithm>

LineBreaks::LineBreaks(QByteArray kinds)
    : kinds_(std::move(kinds)), crLfCount_(std::count(kinds_.cbegin(), kinds_.cend(), CrLf))
{
}

void LineBreaks::replace(int first, int removed, const QByteArray &kinds)
{
    const auto begin = kinds_.cbegin() + first;
    crLfCount_ -= std::count(begin, begin + removed, CrLf);
    kinds_.replace(first, removed, kinds);
    crLfCount_ += std::count(kinds.cbegin(), kinds.cend(), CrLf);
}

SplitText SplitAtLineBreaks(const QString &text)
{
    QString lines(text.size(), Qt::Uninitialized);
    QChar *out = lines.data();
    QByteArray kinds;
    const QChar *in = text.constData();
    const QChar *const end = in + text.size();
    while (in != end) {
        const QChar c = *in++;
        if (c == u'\r') {
            const bool pair = in != end && *in == u'\n';
            kinds.append(pair ? LineBreaks::CrLf : LineBreaks::Cr);
            in += pair ? 1 : 0;
            *out++ = u'\n';
        } else {
            if (c == u'\n')
                kinds.append(LineBreaks::Lf);
            *out++ = c;
        }
    }
    lines.truncate(out - lines.constData());
    return {lines, LineBreaks(std::move(kinds))};
}
