#include "actions/icon_targets.h"

#include <QApplication>
#include <QHash>
#include <QIcon>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

namespace {

// The tray draws its icon in a window of its own, which Qt paints when the event
// loop next runs; a recognition pass may keep the loop away for longer than the
// flash lasts. Painting it now puts the icon on the screen before the flash's timer
// starts.
void paintTrayNow() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        const bool trayWindow = window->inherits("QSystemTrayIconSys") ||
                                window->objectName() == QLatin1String("QSystemTrayIconSys");
        if (trayWindow && window->isVisible()) {
            window->repaint();
        }
    }
}

}  // namespace

IconFlash::Setter iconSetterFor(QWidget* window, QSystemTrayIcon* tray) {
    // Both icons are made once: an icon made afresh at every flash costs memory at
    // every press.
    QHash<QString, QIcon> icons;
    for (const QString& path : {IconFlash::kNormalIcon, IconFlash::kActiveIcon}) {
        icons.insert(path, QIcon(path));
    }
    return [window = QPointer<QWidget>(window), tray = QPointer<QSystemTrayIcon>(tray),
            icons](const QString& iconPath) {
        const auto known = icons.constFind(iconPath);
        const QIcon icon = known != icons.constEnd() ? *known : QIcon(iconPath);
        if (window) {
            window->setWindowIcon(icon);
        }
        if (tray) {
            tray->setIcon(icon);
            paintTrayNow();
        }
    };
}
