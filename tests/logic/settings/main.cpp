#include <gtest/gtest.h>

#include <QCoreApplication>

// The built-in language files are read from the resources of the program.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
