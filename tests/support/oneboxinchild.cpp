#include "support/oneboxinchild.h"

#include "support/childprocess.h"

#include <QStringList>
#include <gtest/gtest.h>

ScriptedMsgBox::Shown OneBoxInChild(const std::function<bool()> &prepare,
                                    const std::function<bool()> &work)
{
    const ChildOutcome outcome = RunInChild([&](int output) {
        if (!prepare())
            return 2;
        ScriptedMsgBox boxes;
        if (!work())
            return 1;
        if (boxes.shown().size() != 1)
            return 3;
        const ScriptedMsgBox::Shown shown = boxes.only();
        WriteToParent(
            output,
            (shown.title + u'\n' + shown.text + u'\n' + QString::number(shown.style)).toUtf8());
        return 0;
    });
    EXPECT_EQ(outcome.exitCode, 0) << "2: not prepared, 1: not as expected, 3: not one box";
    const QStringList parts = QString::fromUtf8(outcome.output).split(u'\n');
    if (parts.size() != 3)
        return {};
    return {parts[0], parts[1], parts[2].toInt()};
}
