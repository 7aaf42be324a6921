#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh folder for one test, removed afterwards.
class ScratchFolder
{
public:
    QString path(const QString &name) const { return folder_.filePath(name); }
    QString root() const { return folder_.path(); }
    // Writes bytes to the named file and returns its full path.
    QString write(const QString &name, const QByteArray &bytes) const;
    static QByteArray read(const QString &fullPath);

private:
    QTemporaryDir folder_;
};
