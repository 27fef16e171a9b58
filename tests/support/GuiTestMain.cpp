#include <QApplication>
#include <gtest/gtest.h>

// Test main for widget tests: a QApplication on the offscreen platform unless
// the environment chose another one (the tests that need a real X server set
// QT_QPA_PLATFORM=xcb under Xvfb).
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
