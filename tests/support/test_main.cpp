#include <gtest/gtest.h>

#ifdef QUENDA_TEST_WIDGETS
#include <QApplication>
#else
#include <QCoreApplication>
#endif

// The one main of every test suite. Timers, the serial link, processes and the
// built-in resources want an application object; suites of windows get a widget
// application on Qt's offscreen platform unless a display is asked for, also when
// ctest runs the binary only to list its tests.
int main(int argc, char** argv) {
#ifdef QUENDA_TEST_WIDGETS
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
#else
    QCoreApplication app(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
