// A drag source as a file manager is one: a small window titled "Drag source" that, when the
// left button is pressed on it, drags the addresses of the files named on its command line (and
// their paths as text, as file managers also offer them) through the window system's own drag
// and drop, and says "dragging" on its output. Whoever moves the pointer and lets the button go
// decides where they are dropped.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

class DragSource : public QWidget
{
public:
    explicit DragSource(QList<QUrl> files) : files_(std::move(files))
    {
        setWindowTitle(QStringLiteral("Drag source"));
        setFixedSize(120, 80);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        auto *data = new QMimeData;
        data->setUrls(files_);
        QStringList paths;
        for (const QUrl &file : files_)
            paths << file.toLocalFile();
        data->setText(paths.join(u'\n'));
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        // Whoever moves the pointer waits for this: a move before the drag has begun is lost.
        std::printf("dragging\n");
        std::fflush(stdout);
        drag->exec(Qt::CopyAction);
    }

private:
    QList<QUrl> files_;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QList<QUrl> files;
    for (const QString &path : QApplication::arguments().mid(1))
        files << QUrl::fromLocalFile(path);
    DragSource source(files);
    source.move(0, 0);
    source.show();
    return QApplication::exec();
}
