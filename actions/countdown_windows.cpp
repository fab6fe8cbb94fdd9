#include "actions/countdown_windows.h"

#include <QLabel>

#include "actions/countdown_placement.h"
#include "actions/hint_window.h"
#include "actions/overlay_window.h"
#include "actions/overlay_words.h"

TWordWindow::TWordWindow(const Names& names, const QString& word, QWidget* parent)
    : QWidget(parent, OverlayWindow::flags()) {
    setObjectName(QLatin1String(names.form));
    OverlayWindow::prepare(this);
    big_ = OverlayWindow::designLabel(this, names.big, names.designPixels);
    word_ = OverlayWindow::designLabel(this, names.word, names.designPixels);
    sizing_ = OverlayWindow::designLabel(this, names.sizing, names.designPixels);
    word_->hide();
    sizing_->hide();
    big_->setText(word);
    setWord(word);
}

void TWordWindow::hideWindow() {
    hide();
}

void TWordWindow::showWindow() {
    OverlayWindow::cutMask(this, big_);
    show();
    raise();
}

void TWordWindow::setText(const QString& text) {
    big_->setText(text);
    big_->adjustSize();
    if (isVisible()) {
        OverlayWindow::cutMask(this, big_);
    }
}

QString TWordWindow::word() const {
    return word_->text();
}

void TWordWindow::setWord(const QString& word) {
    word_->setText(word);
    fitToSizingLabel();
}

void TWordWindow::applyOverlayFont(const OverlayFont& font) {
    ::applyOverlayFont(big_, font);
    ::applyOverlayFont(sizing_, font);
    big_->adjustSize();
    fitToSizingLabel();
}

void TWordWindow::fitToSizingLabel() {
    sizing_->setText(CountdownPlacement::sizingText(word_->text()));
    sizing_->adjustSize();
    const QRect screen = OverlayWindow::screenRect();
    const QRect place = CountdownPlacement::geometry(sizing_->size(), screen.size());
    setGeometry(place.translated(screen.topLeft()));
}

TCountdownF::TCountdownF(const Names& names, const QString& word, Waiter& waiter, QWidget* parent)
    : TWordWindow(names, word, parent) {
    Timer1 = new IntervalTimer(1000, this);
    Timer2 = new IntervalTimer(3000, this);
    countdown_ = std::make_unique<Countdown>(*this, *Timer1, *Timer2, waiter);
    connect(Timer1, &IntervalTimer::timeout, this, [this] { countdown_->Timer1Timer(); });
    connect(Timer2, &IntervalTimer::timeout, this, [this] { countdown_->Timer2Timer(); });
}

TShutDownF::TShutDownF(Waiter& waiter, QWidget* parent)
    : TCountdownF({"TShutDownF", "LabelShutDown", "LabelShutDownCount", "LabelShutDownLNG", 24},
                  OverlayWords::kShutdown, waiter, parent) {}

TRebootF::TRebootF(Waiter& waiter, QWidget* parent)
    : TCountdownF({"TRebootF", "LabelReboot", "LabelRebootCount", "LabelRebootLNG", 24},
                  OverlayWords::kReboot, waiter, parent) {}

TTimerF::TTimerF(QWidget* parent)
    : TWordWindow({"TTimerF", "Label1", "TimerFLabelTimer", "LabelWH", 35}, OverlayWords::kTimer,
                  parent) {
    Timer1 = new IntervalTimer(60000, this);
    Timer2 = new IntervalTimer(5000, this);
}
