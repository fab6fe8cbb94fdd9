#pragma once

#include "actions/icon_flash.h"

class QSystemTrayIcon;
class QWidget;

// An icon setter for the flash: the icon goes on the main window and the tray icon
// (either may be null).
IconFlash::Setter iconSetterFor(QWidget* window, QSystemTrayIcon* tray);
