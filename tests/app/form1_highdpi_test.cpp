#include "shownform.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

// On a screen of twice the density everything scales together: the layout, the guide and the
// text's grid keep their logical positions and are drawn at twice the pixels.

namespace {

bool AtDoubleScale()
{
    return qEnvironmentVariable("QT_SCALE_FACTOR") == u"2";
}

} // namespace

TEST(Form1HighDpi, GridAndGuideHoldAtDoubleScale)
{
    if (AtDoubleScale())
        GTEST_SKIP() << "this is the run at double scale";
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_SCALE_FACTOR"_qs, u"2"_qs);
    environment.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {u"--gtest_filter=Form1Grid.*:Form1Render.*:Form1Layout.TopLevel*:"
                 u"Form1HighDpi.DrawnAtTheScreensScale"_qs});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_FALSE(output.contains(u"SKIPPED"_qs)) << output.toStdString();
    // The grid's, the drawing's, the layout's and the scale's own tests all ran.
    const QRegularExpressionMatch passed =
        QRegularExpression(u"\\[  PASSED  \\] (\\d+) tests"_qs).match(output);
    EXPECT_GE(passed.captured(1).toInt(), 9) << output.toStdString();
}

TEST(Form1HighDpi, DrawnAtTheScreensScale)
{
    ShownForm shown;
    const int scale = AtDoubleScale() ? 2 : 1;
    EXPECT_EQ(shown.form.devicePixelRatio(), scale);
    EXPECT_EQ(shown.form.grab().toImage().size(), shown.form.size() * scale);
}
