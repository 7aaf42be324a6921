#pragma once

#include "filedialog/commondialog.h"

#include <QList>
#include <QString>
#include <optional>

// Stands in for the file dialog while it lives: records the properties of every showing and
// replies with what the test queued, in order: a chosen file, or a cancel (also when the queue
// is empty).
class ScriptedDialog
{
public:
    struct Shown
    {
        CommonDialog::Kind kind;
        bool cancelError;
        QString defaultExt;
        QString dialogTitle;
        QString fileName;
        QString filter;
        int filterIndex;
        long flags;
    };

    ScriptedDialog();
    ~ScriptedDialog();
    ScriptedDialog(const ScriptedDialog &) = delete;
    ScriptedDialog &operator=(const ScriptedDialog &) = delete;

    // The user picks the file at this full path.
    void choose(const QString &fullPath) { replies_.append(fullPath); }
    void cancel() { replies_.append(std::nullopt); }
    const QList<Shown> &shown() const { return shown_; }

private:
    QList<std::optional<QString>> replies_;
    QList<Shown> shown_;
    CommonDialog::Handler previous_;
};
