#include "settings/overlay_windows.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "actions/hint_window.h"

namespace {

struct Countdown {
    const char* window;
    const char* labels[2];  // the labels that take the font; the second sizes the window
    const char* count;      // the label whose text the sizing label copies
};

const Countdown kCountdowns[] = {
    {"TTimerF", {"Label1", "LabelWH"}, "TimerFLabelTimer"},
    {"TRebootF", {"LabelReboot", "LabelRebootLNG"}, "LabelRebootCount"},
    {"TShutDownF", {"LabelShutDown", "LabelShutDownLNG"}, "LabelShutDownCount"},
};

void sizeAndPlace(QWidget* window, QLabel* sizing, const QLabel* count) {
    sizing->setText(count->text() + QStringLiteral(" 9999"));
    sizing->adjustSize();
    window->resize(sizing->size());
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    window->move(area.x() + area.width() - window->width() - 10,
                 area.y() + area.height() - sizing->height() - 50);
}

}  // namespace

namespace OverlayWindows {

void apply(const OverlayFont& font, THintF* hint, const QList<QWidget*>& windows) {
    if (hint) {
        hint->applyOverlayFont(font);
    }
    for (const Countdown& countdown : kCountdowns) {
        for (QWidget* window : windows) {
            if (window->objectName() != QLatin1String(countdown.window)) {
                continue;
            }
            auto* sizing = window->findChild<QLabel*>(QLatin1String(countdown.labels[1]));
            auto* count = window->findChild<QLabel*>(QLatin1String(countdown.count));
            for (const char* name : countdown.labels) {
                if (auto* label = window->findChild<QLabel*>(QLatin1String(name))) {
                    applyOverlayFont(label, font);
                }
            }
            if (sizing && count) {
                sizeAndPlace(window, sizing, count);
            }
        }
    }
}

}  // namespace OverlayWindows
