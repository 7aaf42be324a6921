#include "shownform.h"

#include "app/filedrop.h"
#include "platform/filenames.h"
#include "support/scratchfolder.h"
#include "support/scriptedmsgbox.h"
#include "textarea/textarea.h"

#include <QApplication>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Drags the data onto the middle of the text area and drops it there, as the window system would.
bool DragAndDrop(TextArea *text, QMimeData &data)
{
    QWidget *viewport = text->viewport();
    const QPoint middle = viewport->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(middle, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &move);
    QDropEvent drop(middle, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &drop);
    QApplication::processEvents();
    return enter.isAccepted() && move.isAccepted() && drop.isAccepted();
}

} // namespace

// A file manager offers files as addresses, and as text too: the first file is opened as File >
// Open opens it, after the question; a name that is not UTF-8 is kept.
TEST(FileDrop, DroppedFilesOpenTheFirstAfterTheOpenQuestion)
{
    ScratchFolder folder;
    const QString first = folder.write(u"first.diz"_qs, "dropped\r\ntext");
    const QString second = folder.write(u"second.diz"_qs, "other");
    ShownForm shown;
    QTest::keyClicks(shown.text(), u"typed"_qs);
    ScriptedMsgBox boxes;
    boxes.answer(7);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
    data.setText(QUrl::fromLocalFile(first).toString());
    ASSERT_TRUE(DragAndDrop(shown.text(), data));

    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.only().title, u"File Changed"_qs);
    EXPECT_EQ(boxes.only().style, 35);
    EXPECT_EQ(shown.text()->bytes(), QByteArray("dropped\r\ntext"));
    EXPECT_EQ(shown.form.windowTitle(), u"first.diz - Vellum"_qs);
    EXPECT_EQ(shown.form.documentWindow().documentState.FilePath, first);

    // A missing file gets the load's box and leaves the document as it was.
    QMimeData missing;
    missing.setUrls({QUrl::fromLocalFile(folder.path(u"gone.diz"_qs))});
    ASSERT_TRUE(DragAndDrop(shown.text(), missing));
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown().last().title, u"File not Found"_qs);
    EXPECT_EQ(shown.form.windowTitle(), u"first.diz - Vellum"_qs);

    const QString odd = DecodeFileName(EncodeFileName(folder.root()) + "/caf\xe9.diz");
    QMimeData oddData;
    oddData.setUrls(
        {QUrl::fromEncoded(QUrl::fromLocalFile(folder.root()).toEncoded() + "/caf%E9.diz")});
    EXPECT_EQ(FileDrop::DroppedFile(&oddData), odd);
}

// Dropped text is no file: it goes into the text at the drop, as a paste would put it.
TEST(FileDrop, DroppedTextIsInsertedAsAPaste)
{
    ShownForm shown;
    ScriptedMsgBox boxes;
    QMimeData data;
    data.setText(u"one\ntwo \u20AC\u0416"_qs);
    ASSERT_TRUE(DragAndDrop(shown.text(), data));
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(shown.text()->bytes(), QByteArray("one\r\ntwo \x80?"));
    EXPECT_EQ(shown.form.documentWindow().documentState.Changed, FlagTrue);
}
