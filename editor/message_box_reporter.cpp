#include "editor/message_box_reporter.h"

#include <QApplication>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <cstdio>

void MessageBoxReporter::useTray(const AppState& state, QSystemTrayIcon* tray) {
    state_ = &state;
    tray_ = tray;
}

void MessageBoxReporter::report(const QString& message) {
    std::fprintf(stderr, "quenda: %s\n", qPrintable(message));
    if (state_ && state_->inTray == QLatin1String("yes")) {
        showWithoutWaiting(message);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), message, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

// A modal box would wait for a click while received bytes pile up in the port.
void MessageBoxReporter::showWithoutWaiting(const QString& message) {
    if (tray_ && tray_->isVisible() && QSystemTrayIcon::supportsMessages()) {
        tray_->showMessage(QApplication::applicationName(), message, QSystemTrayIcon::Warning);
        return;
    }
    auto* box = new QMessageBox(QMessageBox::NoIcon, QApplication::applicationName(), message,
                                QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}
