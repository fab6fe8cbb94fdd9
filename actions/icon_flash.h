#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "core/interval_timer.h"
#include "core/program_identity.h"

// The short flash of the program's icon (main window and tray) after a command:
// the activity icon for one period of TimerIcon (100 ms), then the normal icon.
class IconFlash : public QObject {
    Q_OBJECT
  public:
    static inline const QString kNormalIcon = ProgramIdentity::kIconPath;
    static inline const QString kActiveIcon = QStringLiteral(":/quenda/icons/quenda-active.png");

    // Puts the icon with the given resource path on the main window and the tray,
    // and has it on the screen when it returns.
    using Setter = std::function<void(const QString& iconPath)>;

    // TimerIcon is the main window's timer; its timeouts restore the normal icon.
    IconFlash(IntervalTimer& timerIcon, Setter setIcon, QObject* parent = nullptr);

    // Shows the activity icon and enables TimerIcon. A flash while the activity
    // icon shows sets it again but does not restart the timer, so the normal icon
    // returns 100 ms after the first flash.
    void flash();

    // TimerIcon's timeout: the normal icon again, TimerIcon off.
    void TimerIconTimer();

  private:
    IntervalTimer& timer_;
    Setter setIcon_;
};
