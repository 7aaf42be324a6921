#pragma once

#include "app/form1.h"

#include <QString>

class QAction;
class QWidget;
class TextArea;

// The main window shown and active, as the user first sees it.
class ShownForm
{
public:
    explicit ShownForm(const QString &argumentText = {});

    Form1 form;

    TextArea *text() const;
    // The guide panel's inner area, in which the guide's positions are given.
    QWidget *guide() const;
    QWidget *child(const QString &name) const;
    QAction *action(const QString &name) const;
    // A widget's rectangle in the coordinates of another widget that holds it.
    static QRect rectIn(const QWidget *widget, const QWidget *container);
};
