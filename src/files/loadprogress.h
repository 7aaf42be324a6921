#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>
#include <memory>

class QProgressDialog;
class QWidget;

// The window that tells the user a long load is going on: it names the file and fills a bar while
// the file is read and while the text area takes the text. A file big enough to take
// more than about half a second shows it from the start; a smaller one only when reading turns
// out slow. While it is up, the window system's events (drawing, exposing) are answered; input is
// not, so no other command can start in the middle of the load.
class LoadProgress
{
public:
    LoadProgress(QWidget &owner, const QString &fileName);
    ~LoadProgress();

    // The first call, before any byte is read, tells the file's size.
    void read(qint64 bytesRead, qint64 fileSize);
    // Called while the text goes into the text area, with how many of its bytes are in.
    void settingText(qint64 bytesIn, qint64 bytes);

private:
    void show();
    void answerWindowSystem();

    QWidget &owner_;
    const QString fileName_;
    QElapsedTimer clock_;
    std::unique_ptr<QProgressDialog> dialog_;
};

// A file of at least this size takes about half a second or more to load and show.
inline constexpr qint64 SlowLoadBytes = 4 * 1024 * 1024;
