// The recognition pass's own processing time: cutting the code out of the buffer,
// logging it, matching it against a full table of 30 commands, dispatching the match
// and ending the pass. The main window is a stand-in that does nothing, so what is
// measured is the pass and nothing of the actions it starts. Then reception alone:
// bursts of 3, 300 and 3,000 bytes taken through the filter into the buffer.
#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/app_state.h"
#include "core/error_reporter.h"
#include "core/interval_timer.h"
#include "reception/reception.h"

namespace {

class IdleHost : public RecognitionHost {
  public:
    explicit IdleHost(AppState& state) : state_(state) {}
    int dispatched = 0;
    int selected = -1;

    int nodeCount() const override { return state_.table.nodeCount(); }
    bool dispatch(int slot) override {
        selected = slot;
        ++dispatched;
        return true;
    }
    int selectedSlot() const override { return selected; }
    QString shownCombination() const override { return QString(); }
    void giveFeedback() override {}
    void logCode(const QString&) override {}
    void learningStep(const QString&) override {}
    void commandFileLoaded() override {}
    void resetTimerWindow() override {}
    void wait(int) override {}

  private:
    AppState& state_;
};

QString cpuModel() {
    QFile file(QStringLiteral("/proc/cpuinfo"));
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (line.startsWith("model name")) {
                return QString::fromUtf8(line.mid(line.indexOf(':') + 1).trimmed());
            }
        }
    }
    return QStringLiteral("unknown CPU");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    constexpr int kPasses = 10000;

    AppState state;
    state.settings.recognizeStartSymbol = QStringLiteral("41");
    state.table.setHeader(QStringLiteral("Remote"));
    for (int i = 1; i <= CommandTable::kMaxCommands; ++i) {
        const int slot = state.table.addCommand(QStringLiteral("Command %1").arg(i));
        Command& command = state.table.slot(slot);
        command.name = QStringLiteral("Command %1").arg(i);
        command.typeAction = QStringLiteral("Run command");
        command.runAction = QStringLiteral("Pause:");
        command.code =
            QStringLiteral("41 42 43 %1 A0 7E").arg(i, 2, 16, QLatin1Char('0')).toUpper();
    }
    // A packet of command 17 received twice after a noise byte, as a held button gives.
    const QString burst = QStringLiteral(" 30 41 42 43 11 A0 7E 41 42 43 11 A0 7E");

    IntervalTimer timer1(100);
    IntervalTimer timer5(60000);
    IdleHost host(state);
    CollectingReporter errors;
    Reception reception(state, timer1, timer5, host, errors);

    std::vector<double> micros;
    micros.reserve(kPasses);
    for (int i = 0; i < kPasses; ++i) {
        reception.Edit1.setText(burst);  // what reception did before the pass
        const auto start = std::chrono::steady_clock::now();
        reception.Timer1Timer();
        const auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    if (host.dispatched != kPasses || host.selected != 17 || timer1.enabled()) {
        std::fprintf(stderr, "the passes did not run as expected (%d dispatches)\n",
                     host.dispatched);
        return 1;
    }
    std::sort(micros.begin(), micros.end());
    const double median = micros[kPasses / 2];
    const double p99 = micros[std::size_t(kPasses * 99 / 100)];
    std::printf("Recognition pass, 30-command table, %d passes (%s)\n", kPasses,
                qPrintable(cpuModel()));
    std::printf("  median %.2f us, 99th percentile %.2f us, max %.2f us\n", median, p99,
                micros.back());

    // Reception of a burst, as the port hands it over in one piece; the buffer is
    // emptied between bursts as the end of a pass does.
    std::printf("Reception of one burst into the buffer (median of the runs):\n");
    for (const int length : {3, 300, 3000}) {
        QByteArray burstBytes;
        for (int n = 0; n < length; ++n) {
            burstBytes.append(char(0x20 + n % 0xE0));  // no control bytes: all are kept
        }
        const int runs = length >= 3000 ? 300 : 3000;
        std::vector<double> times;
        times.reserve(std::size_t(runs));
        for (int i = 0; i < runs; ++i) {
            reception.Edit1.setText(QString());
            const auto start = std::chrono::steady_clock::now();
            reception.receiveBytes(burstBytes);
            const auto end = std::chrono::steady_clock::now();
            times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
        if (reception.Edit1.text().size() != 3 * length) {
            std::fprintf(stderr, "a burst of %d bytes gave %lld characters\n", length,
                         static_cast<long long>(reception.Edit1.text().size()));
            return 1;
        }
        std::sort(times.begin(), times.end());
        std::printf("  %5d bytes: median %9.2f us, 99th percentile %9.2f us\n", length,
                    times[times.size() / 2], times[times.size() * 99 / 100]);
    }
    timer1.setEnabled(false);
    return 0;
}
