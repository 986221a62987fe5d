#include <QCoreApplication>

#include <gtest/gtest.h>

// The main of test programs whose tests need the application object: Apple
// Events, timers and child processes run on its event loop.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
