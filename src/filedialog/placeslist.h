#pragma once

#include <QListWidget>

// The file dialog's list of places (see places.h), each shown with its icon and named to screen
// readers, its full path as its tool tip.
class PlacesList : public QListWidget
{
    Q_OBJECT

public:
    PlacesList();

    // The full path of the current place; empty when there is none.
    QString currentPath() const;
    // Makes the place that is this folder current; in any other folder none is.
    void markFolder(const QString &folder);
};
