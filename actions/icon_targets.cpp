#include "actions/icon_targets.h"

#include <QIcon>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

IconFlash::Setter iconSetterFor(QWidget* window, QSystemTrayIcon* tray) {
    return [window = QPointer<QWidget>(window),
            tray = QPointer<QSystemTrayIcon>(tray)](const QString& iconPath) {
        const QIcon icon(iconPath);
        if (window) {
            window->setWindowIcon(icon);
        }
        if (tray) {
            tray->setIcon(icon);
        }
    };
}
