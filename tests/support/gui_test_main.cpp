#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every test program runs with a QApplication on the offscreen platform unless told otherwise,
// on an empty desktop: no program is associated with anything, so a help command run by a test
// shows its failure box instead of starting the machine's browser. Tests that need programs run
// again in a child on a private desktop of their own, named by VELLUM_PRIVATE_DESKTOP.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir emptyDesktop;
    if (!qEnvironmentVariableIsSet("VELLUM_PRIVATE_DESKTOP")) {
        for (const char *variable :
             {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
            qputenv(variable, emptyDesktop.path().toLocal8Bit());
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
