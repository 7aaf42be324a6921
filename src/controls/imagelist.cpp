#include "controls/imagelist.h"

#include <QPainter>
#include <QPixmap>

#include <cstring>

namespace {

constexpr char PaletteLetters[] = "kmgobptsdRGYBMCw";

bool ColourOfLetter(char letter, QRgb background, QRgb &colour)
{
    if (letter == '.') {
        colour = background;
        return true;
    }
    const char *found = letter ? std::strchr(PaletteLetters, letter) : nullptr;
    if (!found)
        return false;
    colour = VgaPalette[found - PaletteLetters];
    return true;
}

} // namespace

QImage PictureFromRows(std::initializer_list<const char *> rows, QRgb background)
{
    if (rows.size() == 0)
        return QImage();
    const int width = static_cast<int>(std::strlen(*rows.begin()));
    QImage picture(width, static_cast<int>(rows.size()), QImage::Format_ARGB32);
    int y = 0;
    for (const char *row : rows) {
        if (static_cast<int>(std::strlen(row)) != width)
            return QImage();
        for (int x = 0; x < width; ++x) {
            QRgb colour;
            if (!ColourOfLetter(row[x], background, colour))
                return QImage();
            picture.setPixel(x, y, colour);
        }
        ++y;
    }
    return picture;
}

ImageList::ImageList(QSize imageSize, QRgb maskColour)
    : imageSize_(imageSize), maskColour_(maskColour)
{
}

bool ImageList::add(const QString &key, const QImage &picture)
{
    if (picture.size() != imageSize_ || !image(key).isNull())
        return false;
    QImage masked = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masked.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x) {
            if (qAlpha(line[x]) == 255 && (line[x] & RGB_MASK) == (maskColour_ & RGB_MASK))
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    pictures_.append({key, masked});
    return true;
}

QStringList ImageList::keys() const
{
    QStringList keys;
    for (const Entry &entry : pictures_)
        keys.append(entry.key);
    return keys;
}

QImage ImageList::image(const QString &key) const
{
    for (const Entry &entry : pictures_) {
        if (entry.key == key)
            return entry.image;
    }
    return QImage();
}

QImage ImageList::imageOnTile(const QString &key, QRgb ground) const
{
    const QImage picture = image(key);
    if (picture.isNull())
        return QImage();
    QImage tile(picture.size(), QImage::Format_ARGB32);
    tile.fill(ground);
    QPainter painter(&tile);
    painter.drawImage(0, 0, picture);
    return tile;
}

QIcon ImageList::icon(const QString &key) const
{
    const QImage picture = image(key);
    return picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture));
}
