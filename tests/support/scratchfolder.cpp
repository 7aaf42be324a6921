#include "support/scratchfolder.h"

#include <QFile>

QString ScratchFolder::write(const QString &name, const QByteArray &bytes) const
{
    const QString fullPath = path(name);
    QFile file(fullPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(fullPath));
    return fullPath;
}

QByteArray ScratchFolder::read(const QString &fullPath)
{
    QFile file(fullPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
