#include <QCoreApplication>

#include <gtest/gtest.h>

// Listening for Apple Events and running Halvex need the application object.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
