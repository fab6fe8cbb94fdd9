// The floor of a start: a Qt Widgets program that shows one empty window with the
// program's caption at once, started by startup_bench in turn with the program.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quenda"));
    window.resize(804, 442);
    window.show();
    return app.exec();
}
