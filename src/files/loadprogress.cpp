#include "files/loadprogress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {

// The bar's share for reading; the rest is for the text area.
constexpr int ReadingSteps = 40;
constexpr int AllSteps = 100;

} // namespace

LoadProgress::LoadProgress(QWidget &owner, const QString &fileName)
    : dialog_(new QProgressDialog(&owner))
{
    dialog_->setWindowTitle(u"Loading"_qs);
    dialog_->setLabelText(u"Loading "_qs + fileName + u"..."_qs);
    dialog_->setCancelButton(nullptr);
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(500);
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
    dialog_->setRange(0, AllSteps);
    // The dialog would show itself after its minimum duration even without progress.
    dialog_->reset();
}

LoadProgress::~LoadProgress()
{
    delete dialog_;
}

void LoadProgress::read(qint64 bytesRead, qint64 fileSize)
{
    if (bytesRead == 0 && fileSize >= SlowLoadBytes && !dialog_->isVisible()) {
        show();
        return;
    }
    const int step = fileSize > 0 ? int(bytesRead * ReadingSteps / fileSize) : ReadingSteps;
    // The dialog shows itself once its estimate of the whole passes its minimum duration.
    dialog_->setValue(step);
    answerWindowSystem();
}

void LoadProgress::settingText(qint64 charactersIn, qint64 characters)
{
    if (!dialog_->isVisible())
        return;
    const qint64 share = characters > 0 ? charactersIn * (AllSteps - ReadingSteps) / characters : 0;
    dialog_->setValue(ReadingSteps + int(share));
    answerWindowSystem();
}

void LoadProgress::show()
{
    dialog_->setValue(0);
    dialog_->show();
    answerWindowSystem();
}

void LoadProgress::answerWindowSystem()
{
    if (dialog_->isVisible())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
