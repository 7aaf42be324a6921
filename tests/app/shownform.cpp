#include "shownform.h"

#include "textarea/textarea.h"

#include <QAction>
#include <QTest>

ShownForm::ShownForm(const QString &argumentText) : form(argumentText)
{
    form.show();
    if (!QTest::qWaitForWindowExposed(&form, 30000))
        qFatal("the main window was not shown");
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form, 30000))
        qFatal("the main window did not become active");
}

TextArea *ShownForm::text() const
{
    return form.findChild<TextArea *>(u"Text1"_qs);
}

QWidget *ShownForm::guide() const
{
    return child(u"GuideSurface"_qs);
}

QWidget *ShownForm::child(const QString &name) const
{
    return form.findChild<QWidget *>(name);
}

QAction *ShownForm::action(const QString &name) const
{
    return form.findChild<QAction *>(name);
}

QRect ShownForm::rectIn(const QWidget *widget, const QWidget *container)
{
    return QRect(widget->mapTo(container, QPoint(0, 0)), widget->size());
}
