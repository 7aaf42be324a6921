#pragma once

#include "controls/placement.h"

#include <QMessageBox>
#include <QShowEvent>

// Qt's message box, centred over its owner as it comes up, once it knows its own size.
class CentredMessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        if (!event->spontaneous() && parentWidget())
            CentreOverOwner(this, parentWidget());
    }
};
