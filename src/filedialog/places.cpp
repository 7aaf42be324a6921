#include "filedialog/places.h"

#include "filedialog/folderlisting.h"
#include "platform/filenames.h"

#include <QFile>
#include <glib.h>
#include <pwd.h>
#include <unistd.h>

namespace {

// The folders a file manager shows in its side bar; Public and Templates are left out.
constexpr GUserDirectory UserFolders[] = {G_USER_DIRECTORY_DESKTOP,  G_USER_DIRECTORY_DOCUMENTS,
                                          G_USER_DIRECTORY_DOWNLOAD, G_USER_DIRECTORY_MUSIC,
                                          G_USER_DIRECTORY_PICTURES, G_USER_DIRECTORY_VIDEOS};

// The kernel writes a space, tab, line break or backslash in a mount point as "\" and three
// octal digits; every other byte stands as it is.
QByteArray UnescapeMountPoint(const QByteArray &escaped)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        bool octal = false;
        const int code = escaped.mid(i + 1, 3).toInt(&octal, 8);
        if (escaped.at(i) == '\\' && octal && i + 3 < escaped.size()) {
            bytes.append(char(code));
            i += 3;
        } else {
            bytes.append(escaped.at(i));
        }
    }
    return bytes;
}

} // namespace

QString HomeFolder()
{
    const QByteArray home = qgetenv("HOME");
    if (!home.isEmpty())
        return DecodeFileName(home);
    const passwd *entry = getpwuid(getuid());
    return DecodeFileName(QByteArray(entry && entry->pw_dir ? entry->pw_dir : "/"));
}

QStringList MountedDrives(const QByteArray &mountInfo)
{
    QStringList drives;
    for (const QByteArray &line : mountInfo.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 5)
            continue;
        const QString point = DecodeFileName(UnescapeMountPoint(fields.at(4)));
        const bool underMedia = point.startsWith(u"/media/") || point.startsWith(u"/run/media/");
        if (underMedia && !drives.contains(point))
            drives.append(point);
    }
    return drives;
}

QList<Place> Places()
{
    const QString home = HomeFolder();
    QList<Place> places = {{Place::Kind::Home, u"Home"_qs, home}};
    for (const GUserDirectory which : UserFolders) {
        const char *folder = g_get_user_special_dir(which);
        const QString path = folder ? DecodeFileName(QByteArray(folder)) : QString();
        // An unset folder is written as the home folder itself.
        if (!path.isEmpty() && path != home && KindOfPath(path) == PathKind::Folder)
            places.append({Place::Kind::UserFolder, FileNamePart(path), path});
    }
    places.append({Place::Kind::Root, u"File System"_qs, u"/"_qs});
    QFile mountInfo(u"/proc/self/mountinfo"_qs);
    if (mountInfo.open(QIODevice::ReadOnly)) {
        // The file's size is not known beforehand, so it is read to its end.
        for (const QString &drive : MountedDrives(mountInfo.readAll()))
            places.append({Place::Kind::Drive, FileNamePart(drive), drive});
    }
    return places;
}
