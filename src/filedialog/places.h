#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The places beside the file dialog's folder list: the home folder, the user's folders that the
// desktop names (Desktop, Documents, Downloads, ...) where they exist, the root, and the drives
// mounted under /media and /run/media.
struct Place
{
    enum class Kind { Home, UserFolder, Root, Drive };
    Kind kind;
    QString name; // as shown
    QString path; // the full path, its name kept whole (see filenames.h)
};

QList<Place> Places();

// The home folder: HOME, else the user's entry in the password database.
QString HomeFolder();

// The mount points under /media and /run/media that a /proc/self/mountinfo text lists, in its
// order, each once.
QStringList MountedDrives(const QByteArray &mountInfo);
