#include "filedialog/filepatterns.h"

namespace {

bool SameCharacter(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

// Backtracks only to the last "*", which is enough for patterns of "*" and "?".
bool MatchesWildcards(QStringView name, QStringView pattern)
{
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starAt = -1;
    qsizetype nameAtStar = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern.at(p) == u'*') {
            starAt = p++;
            nameAtStar = n;
        } else if (p < pattern.size() &&
                   (pattern.at(p) == u'?' || SameCharacter(pattern.at(p), name.at(n)))) {
            ++n;
            ++p;
        } else if (starAt >= 0) {
            p = starAt + 1;
            n = ++nameAtStar;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern.at(p) == u'*')
        ++p;
    return p == pattern.size();
}

bool MatchesPattern(const QString &name, QString pattern, bool hiddenShown)
{
    if (pattern == u"*.*")
        pattern = u"*"_qs;
    if (!hiddenShown && name.startsWith(u'.') && !pattern.startsWith(u'.'))
        return false;
    return MatchesWildcards(name, pattern);
}

} // namespace

QList<FilterEntry> ParseFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QList<FilterEntry> entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries.append({parts.at(i), parts.at(i + 1)});
    return entries;
}

bool IsPattern(const QString &text)
{
    return text.contains(u'*') || text.contains(u'?');
}

bool MatchesPatterns(const QString &name, const QString &patternText, bool hiddenShown)
{
    const QStringList patterns = patternText.split(u';', Qt::SkipEmptyParts);
    return std::any_of(patterns.begin(), patterns.end(), [&](const QString &pattern) {
        return MatchesPattern(name, pattern.trimmed(), hiddenShown);
    });
}
