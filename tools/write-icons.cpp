// Writes the program's icon as PNG files in the layout of an icon theme:
//   write-icons FOLDER [NAME]  ->  FOLDER/16x16/apps/NAME.png, 32x32, 64x64 and 128x128
// NAME defaults to "vellum". The two drawn sizes are written as they are; the larger ones are
// the 32-pixel picture enlarged pixel for pixel, so they stay crisp.

#include "about/programicon.h"

#include <QDir>
#include <QString>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s FOLDER [NAME]\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QString name = argc == 3 ? QString::fromLocal8Bit(argv[2]) : u"vellum"_qs;

    struct Size
    {
        int pixels;
        int drawnSize;
    };
    for (const Size size : {Size{16, 16}, Size{32, 32}, Size{64, 32}, Size{128, 32}}) {
        const QImage picture =
            ProgramIconImage(size.drawnSize)
                .scaled(size.pixels, size.pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QString themeFolder = u"%1x%1/apps"_qs.arg(size.pixels);
        const QString path = folder.filePath(themeFolder + u"/"_qs + name + u".png"_qs);
        if (!folder.mkpath(themeFolder) || !picture.save(path, "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(path));
            return 1;
        }
    }
    return 0;
}
