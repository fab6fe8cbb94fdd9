#include "editor/message_box_reporter.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

void MessageBoxReporter::report(const QString& message) {
    std::fprintf(stderr, "quenda: %s\n", qPrintable(message));
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), message,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}
