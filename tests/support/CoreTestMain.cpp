#include <QCoreApplication>
#include <gtest/gtest.h>

// Test main for logic tests: a QCoreApplication and nothing of the GUI.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
