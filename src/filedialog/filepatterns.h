#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The file dialog's filters and the patterns they list files by.

// One entry of a filter "Description|pattern;pattern|Description|pattern".
struct FilterEntry
{
    QString description;
    QString patternText; // as given: "*.diz", "*.txt;*.nfo"
};

QList<FilterEntry> ParseFilter(const QString &filter);

// A text holding "*" or "?" is a pattern, never a file's name.
bool IsPattern(const QString &text);

// Whether the name matches one of the patterns of "pattern;pattern", ignoring case. "*" stands
// for any run of characters and "?" for one; "*.*" matches every name, names without a dot too.
// A name that starts with a dot is hidden: only a pattern that starts with a dot matches it,
// unless hidden names are shown.
bool MatchesPatterns(const QString &name, const QString &patternText, bool hiddenShown = false);
