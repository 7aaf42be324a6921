#pragma once

#include <QIcon>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <initializer_list>

// The sixteen colours of the standard VGA palette, the only colours our small pictures use.
inline constexpr QRgb VgaPalette[16] = {
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff};

inline constexpr QRgb Silver = 0xffc0c0c0;

// Builds a picture from rows of equal length, one letter per pixel, naming a VGA colour:
//   k black   m maroon   g green  o olive   b navy  p purple   t teal   s silver
//   d grey    R red      G lime   Y yellow  B blue  M fuchsia  C aqua   w white
// and '.' for `background`. Any other letter, or a row of another length, is a programming
// error and gives a null image.
QImage PictureFromRows(std::initializer_list<const char *> rows, QRgb background);

// A keyed list of equally sized pictures, standing in for the toolbar's image list: as a picture
// is added, its pixels in the mask colour become transparent.
class ImageList
{
public:
    explicit ImageList(QSize imageSize = QSize(16, 16), QRgb maskColour = Silver);

    // Adds a picture under a new key; refuses (false) a key already taken or a picture of
    // another size.
    bool add(const QString &key, const QImage &picture);

    QSize imageSize() const { return imageSize_; }
    int count() const { return static_cast<int>(pictures_.size()); }
    QStringList keys() const;
    // The picture with the mask colour made transparent; null for an unknown key.
    QImage image(const QString &key) const;
    QIcon icon(const QString &key) const;
    // The picture on an opaque tile of `ground`: its transparent pixels in that colour. Null for
    // an unknown key.
    QImage imageOnTile(const QString &key, QRgb ground) const;

private:
    struct Entry
    {
        QString key;
        QImage image;
    };

    QSize imageSize_;
    QRgb maskColour_;
    QList<Entry> pictures_;
};
