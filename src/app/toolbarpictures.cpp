#include "app/toolbarpictures.h"

#include "controls/toolbar.h"

// The pictures are drawn on silver, which the image list turns transparent.

namespace {

// A blank page with its corner folded.
QImage NewPicture()
{
    return PictureFromRows(
        {
            "................",
            "...kkkkkkk......",
            "...kwwwwwkk.....",
            "...kwwwwwkwk....",
            "...kwwwwwkwwk...",
            "...kwwwwwkkkkk..",
            "...kwwwwwwwwwk..",
            "...kwwwwwwwwwk..",
            "...kwwwwwwwwwk..",
            "...kwwwwwwwwwk..",
            "...kwwwwwwwwwk..",
            "...kwwwwwwwwwk..",
            "...kwwwwwwwwwk..",
            "...kwwwwwwwwwk..",
            "...kkkkkkkkkkk..",
            "................",
        },
        Silver);
}

// An open folder.
QImage OpenPicture()
{
    return PictureFromRows(
        {
            "................",
            "................",
            ".kkkk...........",
            "kooook..........",
            "koooookkkkkkk...",
            "kooooooooooook..",
            "kooooooooooook..",
            "koookkkkkkkkkkkk",
            "kookYYYYYYYYYYk.",
            "kokYYYYYYYYYYk..",
            "kkYYYYYYYYYYk...",
            "kYYYYYYYYYYk....",
            "kkkkkkkkkkkk....",
            "................",
            "................",
            "................",
        },
        Silver);
}

// A diskette: the label above, the shutter below.
QImage SavePicture()
{
    return PictureFromRows(
        {
            "................",
            ".kkkkkkkkkkkkkk.",
            ".kbwwwwwwwwwwbk.",
            ".kbwwwwwwwwwwbk.",
            ".kbwddddddddwbk.",
            ".kbwwwwwwwwwwbk.",
            ".kbwddddddddwbk.",
            ".kbwwwwwwwwwwbk.",
            ".kbbbbbbbbbbbbk.",
            ".kbbbbbbbbbbbbk.",
            ".kbbwwwwwwwwbbk.",
            ".kbbwbbwwwwwbbk.",
            ".kbbwbbwwwwwbbk.",
            ".kbbwwwwwwwwbbk.",
            ".kkkkkkkkkkkkkk.",
            "................",
        },
        Silver);
}

// An arrow that turns back to the left.
QImage UndoPicture()
{
    return PictureFromRows(
        {
            "................",
            "................",
            "................",
            "....b...........",
            "...bb...........",
            "..bbbbbbbbb.....",
            ".bbbbbbbbbbbb...",
            "..bbbbbbbbbbbb..",
            "...bb......bbb..",
            "....b.......bb..",
            "............bb..",
            "...........bbb..",
            ".........bbbb...",
            "........bbb.....",
            "................",
            "................",
        },
        Silver);
}

// A pair of scissors.
QImage CutPicture()
{
    return PictureFromRows(
        {
            "................",
            "....k.....k.....",
            "....k.....k.....",
            "....kk...kk.....",
            ".....k...k......",
            ".....kk.kk......",
            "......kkk.......",
            ".......k........",
            "......bkb.......",
            ".....bb.bb......",
            "..bbbb...bbbb...",
            ".b..b.....b..b..",
            ".b..b.....b..b..",
            ".b..b.....b..b..",
            "..bb.......bb...",
            "................",
        },
        Silver);
}

// Two written pages, one over the other.
QImage CopyPicture()
{
    return PictureFromRows(
        {
            "................",
            ".kkkkkkkk.......",
            ".kwwwwwwk.......",
            ".kwbbbbwk.......",
            ".kwwwwwwk.......",
            ".kwbbbbkkkkkkkk.",
            ".kwwwwwkwwwwwwk.",
            ".kwbbbbkwbbbbwk.",
            ".kwwwwwkwwwwwwk.",
            ".kwbbbbkwbbbbwk.",
            ".kkkkkkkwwwwwwk.",
            ".......kwbbbbwk.",
            ".......kwwwwwwk.",
            ".......kwbbbbwk.",
            ".......kkkkkkkk.",
            "................",
        },
        Silver);
}

// A clipboard holding a written page.
QImage PastePicture()
{
    return PictureFromRows(
        {
            "................",
            ".....kkkkk......",
            ".kkkkkdddkkkkk..",
            ".kookkkkkkkook..",
            ".koooooooooook..",
            ".koookkkkkkkkkk.",
            ".koookwwwwwwwwk.",
            ".koookwbbbbbbwk.",
            ".koookwwwwwwwwk.",
            ".koookwbbbbbbwk.",
            ".koookwwwwwwwwk.",
            ".koookwbbbbwwwk.",
            ".koookwwwwwwwwk.",
            ".kkkkkwwwwwwwwk.",
            ".....kkkkkkkkkk.",
            "................",
        },
        Silver);
}

// A question mark.
QImage HelpPicture()
{
    return PictureFromRows(
        {
            "................",
            ".....bbbbb......",
            "....bbbbbbb.....",
            "...bbb...bbb....",
            "...bbb...bbb....",
            "........bbb.....",
            ".......bbb......",
            "......bbb.......",
            "......bbb.......",
            "......bbb.......",
            "................",
            "......bbb.......",
            "......bbb.......",
            "................",
            "................",
            "................",
        },
        Silver);
}

} // namespace

ImageList BuildToolbarIcons()
{
    ImageList imlToolbarIcons(QSize(16, 16), Silver);
    imlToolbarIcons.add(u"New"_qs, NewPicture());
    imlToolbarIcons.add(u"Open"_qs, OpenPicture());
    imlToolbarIcons.add(u"Save"_qs, SavePicture());
    imlToolbarIcons.add(u"Undo"_qs, UndoPicture());
    imlToolbarIcons.add(u"Cut"_qs, CutPicture());
    imlToolbarIcons.add(u"Copy"_qs, CopyPicture());
    imlToolbarIcons.add(u"Paste"_qs, PastePicture());
    imlToolbarIcons.add(u"Help"_qs, HelpPicture());
    return imlToolbarIcons;
}

QStringList ToolbarPositions()
{
    return {u"New"_qs, u"Open"_qs, u"Save"_qs,  QString(), u"Undo"_qs, QString(),
            u"Cut"_qs, u"Copy"_qs, u"Paste"_qs, QString(), u"Help"_qs};
}

void AddToolbarPositions(Toolbar &Toolbar1, const ImageList &imlToolbarIcons)
{
    Toolbar1.setImageList(imlToolbarIcons);
    for (const QString &key : ToolbarPositions()) {
        if (key.isEmpty())
            Toolbar1.addSeparator();
        else
            Toolbar1.addButton(key, key);
    }
}
