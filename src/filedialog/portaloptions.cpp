#include "filedialog/portaloptions.h"

#include "platform/filenames.h"

#include <QDBusMetaType>

namespace {

// A filter's rule: its kind, 0 for a glob (1 would be a MIME type), and its text.
using Rule = std::pair<uint, QString>;
constexpr uint GlobRule = 0;

QString CaseBlindGlob(const QString &pattern)
{
    if (pattern == u"*.*")
        return u"*"_qs;
    QString glob;
    for (const QChar character : pattern) {
        const QChar lower = character.toLower();
        const QChar upper = character.toUpper();
        if (lower == upper)
            glob += character;
        else
            glob += u'[' + QString(lower) + upper + u']';
    }
    return glob;
}

} // namespace

QDBusArgument &operator<<(QDBusArgument &argument, const PortalFilter &filter)
{
    QList<Rule> rules;
    for (const QString &glob : filter.globs)
        rules.append({GlobRule, glob});
    argument.beginStructure();
    argument << filter.name << rules;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, PortalFilter &filter)
{
    QList<Rule> rules;
    argument.beginStructure();
    argument >> filter.name >> rules;
    argument.endStructure();
    filter.globs.clear();
    for (const auto &[kind, pattern] : rules) {
        if (kind == GlobRule)
            filter.globs.append(pattern);
    }
    return argument;
}

void RegisterPortalTypes()
{
    qDBusRegisterMetaType<Rule>();
    qDBusRegisterMetaType<QList<Rule>>();
    qDBusRegisterMetaType<PortalFilter>();
    qDBusRegisterMetaType<QList<PortalFilter>>();
}

QList<PortalFilter> PortalFilters(const QList<FilterEntry> &filters)
{
    QList<PortalFilter> portalFilters;
    for (const FilterEntry &entry : filters) {
        PortalFilter filter{entry.description, {}};
        for (const QString &pattern : entry.patternText.split(u';', Qt::SkipEmptyParts))
            filter.globs.append(CaseBlindGlob(pattern.trimmed()));
        portalFilters.append(filter);
    }
    return portalFilters;
}

QString NameFromFileUri(const QString &uri)
{
    const QString scheme = u"file://"_qs;
    if (!uri.startsWith(scheme, Qt::CaseInsensitive))
        return {};
    const qsizetype pathStart = uri.indexOf(u'/', scheme.size());
    if (pathStart < 0)
        return {};
    const QStringView host = QStringView(uri).sliced(scheme.size(), pathStart - scheme.size());
    if (!host.isEmpty() && host.compare(u"localhost", Qt::CaseInsensitive) != 0)
        return {};
    return DecodeFileName(QByteArray::fromPercentEncoding(uri.sliced(pathStart).toUtf8()));
}
