#include <gtest/gtest.h>

#include <QCoreApplication>

// The icon flash enables an interval timer, which needs an application object.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
