#pragma once

#include "filedialog/filepatterns.h"

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

// What the desktop's file chooser (the portal's FileChooser) is told, in its own terms, and how
// its answer is read back.

// One filter as the chooser takes it: a name and glob patterns, which it matches by case.
struct PortalFilter
{
    QString name;
    QStringList globs;
};
Q_DECLARE_METATYPE(PortalFilter)

QDBusArgument &operator<<(QDBusArgument &argument, const PortalFilter &filter);
const QDBusArgument &operator>>(const QDBusArgument &argument, PortalFilter &filter);

// Makes PortalFilter and its list known to Qt's D-Bus module; harmless when repeated.
void RegisterPortalTypes();

// The dialog's filters as the chooser's. The dialog ignores case, so every letter becomes a
// class of both its cases ("*.diz" gives "*.[dD][iI][zZ]"); "*.*" matches every name, as "*".
QList<PortalFilter> PortalFilters(const QList<FilterEntry> &filters);

// The full name of the local file a file:// address names, every byte of it kept (see
// filenames.h); empty for an address of any other kind.
QString NameFromFileUri(const QString &uri);
