#include "filedialog/placeslist.h"

#include "filedialog/places.h"
#include "platform/filenames.h"

#include <QStyle>

PlacesList::PlacesList()
{
    setObjectName(u"placesList"_qs);
    setAccessibleName(u"Places"_qs);
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize);
    setIconSize({iconSize, iconSize});
    const QStyle::StandardPixmap icons[] = {QStyle::SP_DirHomeIcon, QStyle::SP_DirIcon,
                                            QStyle::SP_ComputerIcon, QStyle::SP_DriveHDIcon};
    for (const Place &place : Places()) {
        auto *item = new QListWidgetItem(style()->standardIcon(icons[int(place.kind)]),
                                         DisplayFileName(place.name), this);
        item->setData(Qt::UserRole, place.path);
        item->setToolTip(DisplayFileName(place.path));
    }
    // As wide as its names; the folder's list beside it takes the rest.
    setMinimumWidth(sizeHintForColumn(0) + 2 * frameWidth() + 4);
}

QString PlacesList::currentPath() const
{
    const QListWidgetItem *place = currentItem();
    return place ? place->data(Qt::UserRole).toString() : QString();
}

void PlacesList::markFolder(const QString &folder)
{
    for (int row = 0; row < count(); ++row) {
        if (item(row)->data(Qt::UserRole).toString() == folder) {
            setCurrentRow(row);
            return;
        }
    }
    setCurrentItem(nullptr);
}
