#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <functional>

#include "core/error_reporter.h"
#include "core/interval_timer.h"
#include "reception/reception.h"

// A main window stand-in that writes down, in order, what the pass asks of it:
// "log  41", "dispatch 3", "wait 100", "feedback 3", "learn  41", "loaded", "timer 0".
class RecordingHost : public RecognitionHost {
  public:
    explicit RecordingHost(AppState& state) : state_(state) {}

    QStringList events;
    int selected = -1;
    std::function<bool(int slot)> onDispatch;  // what the executor does; false: it failed

    int nodeCount() const override { return state_.table.nodeCount(); }
    bool dispatch(int slot) override {
        events << QStringLiteral("dispatch %1").arg(selected = slot);
        return onDispatch ? onDispatch(slot) : true;
    }
    int selectedSlot() const override { return selected; }
    QString shownCombination() const override {
        return state_.table.slot(selected).commandCombination;
    }
    void giveFeedback() override { events << QStringLiteral("feedback %1").arg(selected); }
    void logCode(const QString& code) override { events << "log " + code; }
    void learningStep(const QString& code) override { events << "learn " + code; }
    void commandFileLoaded() override { events << QStringLiteral("loaded"); }
    void resetTimerWindow() override { events << QStringLiteral("timer 0"); }
    void wait(int ms) override { events << QStringLiteral("wait %1").arg(ms); }

    QStringList only(const QString& prefix) const {
        QStringList found;
        for (const QString& event : events) {
            if (event.startsWith(prefix)) {
                found << event;
            }
        }
        return found;
    }

  private:
    AppState& state_;
};

// A table with a header and commands {name, code}; optionally a combination list.
inline void fillTable(CommandTable& table, const QList<QStringList>& commands) {
    table.clear();
    table.setHeader(QStringLiteral("Remote"));
    for (const QStringList& c : commands) {
        Command& command = table.slot(table.addCommand(c[0]));
        command.name = c[0];
        command.code = c[1];
        command.typeAction =
            c.size() > 2 ? QStringLiteral("Combination command") : QStringLiteral("Run command");
        command.commandCombination = c.value(2);
    }
}

// A reception with its two timers, a recording host and collected errors.
class ReceptionTest : public ::testing::Test {
  protected:
    AppState state;
    IntervalTimer timer1{100};
    IntervalTimer timer5{60000};
    RecordingHost host{state};
    CollectingReporter errors;
    Reception reception{state, timer1, timer5, host, errors};

    QStringList passOver(const QString& bufferText) {
        host.events.clear();
        reception.Edit1.setText(bufferText);
        reception.Timer1Timer();
        return host.events;
    }
};
