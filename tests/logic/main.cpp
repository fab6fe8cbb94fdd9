#include <gtest/gtest.h>

#include <QCoreApplication>

// The interval timer tests need an event loop, so the tests run inside a
// QCoreApplication.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
