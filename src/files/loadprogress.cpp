#include "files/loadprogress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {

// The bar's share for reading; the rest is for the text area.
constexpr int ReadingSteps = 40;
constexpr int AllSteps = 100;
// A read that has taken this long shows the window for the rest of the load.
constexpr qint64 SlowReadMilliseconds = 500;

} // namespace

LoadProgress::LoadProgress(QWidget &owner, const QString &fileName)
    : owner_(owner), fileName_(fileName)
{
    clock_.start();
}

LoadProgress::~LoadProgress() = default;

void LoadProgress::read(qint64 bytesRead, qint64 fileSize)
{
    if (!dialog_ && (fileSize >= SlowLoadBytes || clock_.elapsed() >= SlowReadMilliseconds))
        show();
    if (!dialog_)
        return;
    dialog_->setValue(fileSize > 0 ? int(bytesRead * ReadingSteps / fileSize) : ReadingSteps);
    answerWindowSystem();
}

void LoadProgress::settingText(qint64 bytesIn, qint64 bytes)
{
    if (!dialog_)
        return;
    const qint64 share = bytes > 0 ? bytesIn * (AllSteps - ReadingSteps) / bytes : 0;
    dialog_->setValue(ReadingSteps + int(share));
    answerWindowSystem();
}

// Made only when it is to be seen: most loads are over long before anyone could read it.
void LoadProgress::show()
{
    dialog_ = std::make_unique<QProgressDialog>(&owner_);
    dialog_->setWindowTitle(u"Loading"_qs);
    dialog_->setLabelText(u"Loading "_qs + fileName_ + u"..."_qs);
    dialog_->setCancelButton(nullptr);
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
    dialog_->setRange(0, AllSteps);
    dialog_->setValue(0);
    dialog_->show();
}

void LoadProgress::answerWindowSystem()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
