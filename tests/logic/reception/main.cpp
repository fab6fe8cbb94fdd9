#include <gtest/gtest.h>

#include <QCoreApplication>

// The recognition timer and the serial link need an event loop.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
