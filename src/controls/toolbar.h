#pragma once

#include "controls/imagelist.h"

#include <QToolBar>

class QToolButton;

// The toolbar along the top of the main window: picture-only push buttons, each known by its
// key (which is also its tool tip and its widget's name), and separators between groups. It
// cannot be moved or floated and offers no context menu. Every click on a button emits
// ButtonClick with the button's key; the buttons never take the keyboard focus, so a click
// leaves the text area's focus and selection alone.
//
// The pictures are drawn for a light toolbar. Where the palette is dark (its text lighter than
// its window colour), each picture stands on a light tile, the silver it was drawn on, so its
// navy and black keep their contrast; on a light palette the pictures stand on the toolbar.
class Toolbar : public QToolBar
{
    Q_OBJECT
public:
    static constexpr QSize ButtonSize{23, 22};
    // One pixel round the buttons, so the toolbar is 24 pixels high.
    static constexpr int ButtonMargin = 1;

    explicit Toolbar(QWidget *parent = nullptr);

    // The pictures that addButton looks up by picture key.
    void setImageList(const ImageList &images);
    const ImageList &imageList() const { return images_; }

    QToolButton *addButton(const QString &key, const QString &pictureKey);
    QToolButton *button(const QString &key) const;

signals:
    void ButtonClick(const QString &key);

protected:
    void changeEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void fitToButtons();
    void fitPicturesToPalette();
    void showPicture(QToolButton *button) const;

    ImageList images_;
};
