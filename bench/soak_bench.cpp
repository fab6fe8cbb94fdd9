// Soak: the real program in the tray reads a pseudo-terminal for a long time, fed
// random bytes (3.2 kB/s) with a valid burst of its one command's code every two
// seconds. The command appends a line to a file, so every command that ran is
// counted. The program's resident memory and processor time are sampled every 10 s;
// the bench prints them, the memory's slope after the first minute (least squares)
// and the share of the bursts whose command ran.
//
//   soak_bench [minutes]     (10 unless given)
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "support/rig/desktop.h"
#include "support/rig/pty.h"
#include "tray_setup.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
constexpr int kPauseCommandMs = 100;
constexpr int kNoiseBytesPerSecond = 3200;
constexpr milliseconds kNoiseStep(100);
constexpr milliseconds kNoisePerCycle(1200);
// Quiet around a burst, so that it makes a recognition pass of its own.
constexpr milliseconds kQuiet(400);
constexpr milliseconds kSampleEvery(10000);

struct Sample {
    double minutes;
    long rssKb;
    double cpuSeconds;
};

// The rig starts the program under `timeout`: the program is its one child.
pid_t programUnder(pid_t timeoutPid) {
    const QByteArray children =
        rig::readFile(QStringLiteral("/proc/%1/task/%1/children").arg(timeoutPid)).trimmed();
    return children.isEmpty() ? -1 : pid_t(children.split(' ')[0].toInt());
}

long rssKbOf(pid_t pid) {
    const QByteArray status = rig::readFile(QStringLiteral("/proc/%1/status").arg(pid));
    const qsizetype at = status.indexOf("VmRSS:");
    return at < 0 ? -1
                  : status.mid(at + 6, status.indexOf('\n', at) - at - 6)
                        .trimmed()
                        .split(' ')[0]
                        .toLong();
}

// User and system time, from the fields after the command name in /proc/<pid>/stat.
double cpuSecondsOf(pid_t pid) {
    const QByteArray stat = rig::readFile(QStringLiteral("/proc/%1/stat").arg(pid));
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) {
        return -1;
    }
    return double(fields[11].toLong() + fields[12].toLong()) / double(sysconf(_SC_CLK_TCK));
}

// Least-squares slope of the memory in kB per minute over the samples after the
// first minute.
double rssSlope(const std::vector<Sample>& samples) {
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const Sample& s : samples) {
        if (s.minutes < 1.0) {
            continue;
        }
        n += 1;
        sx += s.minutes;
        sy += double(s.rssKb);
        sxx += s.minutes * s.minutes;
        sxy += s.minutes * double(s.rssKb);
    }
    const double d = n * sxx - sx * sx;
    return n < 2 || d == 0 ? 0 : (n * sxy - sx * sy) / d;
}

int linesIn(const QString& path) {
    return int(rig::readFile(path).count('\n'));
}

}  // namespace

int main(int argc, char** argv) {
    const double minutes = argc > 1 ? std::max(0.5, std::atof(argv[1])) : 10.0;
    // Every helper of the rig, and the program, live for the whole soak.
    qputenv("QUENDA_RIG_MIN_LIFETIME", QByteArray::number(int(minutes * 60) + 120));
    try {
        rig::Desktop desktop({.trayHost = true});
        rig::TestHome& home = desktop.home();
        rig::PseudoTerminal receiver;
        const QString counter = home.work(QStringLiteral("ran"));
        const QString script = home.work(QStringLiteral("count.sh"));
        const QString remote = home.work(QStringLiteral("soak.pci"));
        rig::writeFile(script, "#!/bin/sh\necho ran >> '" + counter.toUtf8() + "'\n");
        chmod(QFile::encodeName(script).constData(), 0755);
        rig::writeFile(remote, bench::openCommandFile(" 41 42 43", script));
        QDir().mkpath(home.programFolder());
        rig::writeFile(home.programFolder() + QStringLiteral("/QUENDA.ini"),
                       bench::traySettings(receiver.devicePath(), remote, kPauseCommandMs));

        rig::Quenda quenda(home, desktop.environment());
        if (!bench::waitForTrayIcon(desktop, quenda)) {
            std::fprintf(stderr, "the program did not come up in the tray:\n%s\n",
                         quenda.process().standardError().constData());
            return 1;
        }
        const pid_t pid = programUnder(quenda.process().pid());

        std::mt19937 random(20261210);
        std::uniform_int_distribution<int> byte(0, 255);
        std::vector<Sample> samples;
        int bursts = 0;
        const Clock::time_point start = Clock::now();
        const auto elapsedMinutes = [&] {
            return std::chrono::duration<double, std::ratio<60>>(Clock::now() - start).count();
        };
        Clock::time_point nextSample = start;
        std::printf("  minute   RSS kB   CPU s\n");
        while (elapsedMinutes() < minutes && quenda.process().running()) {
            for (milliseconds noise(0); noise < kNoisePerCycle; noise += kNoiseStep) {
                QByteArray chunk;
                for (int i = 0; i < kNoiseBytesPerSecond * kNoiseStep.count() / 1000; ++i) {
                    chunk.append(char(byte(random)));
                }
                receiver.send(chunk);
                std::this_thread::sleep_for(kNoiseStep);
            }
            std::this_thread::sleep_for(kQuiet);
            receiver.send("ABC");
            ++bursts;
            std::this_thread::sleep_for(kQuiet);
            if (Clock::now() >= nextSample) {
                samples.push_back({elapsedMinutes(), rssKbOf(pid), cpuSecondsOf(pid)});
                std::printf("  %6.2f  %7ld  %6.2f\n", samples.back().minutes, samples.back().rssKb,
                            samples.back().cpuSeconds);
                std::fflush(stdout);
                nextSample += kSampleEvery;
            }
        }
        if (!quenda.process().running()) {
            std::fprintf(stderr, "the program ended during the soak:\n%s\n",
                         quenda.process().standardError().constData());
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::seconds(3));  // the last commands end
        const int ran = linesIn(counter);

        bench::printMachine();
        const double cpu =
            samples.empty() ? 0 : samples.back().cpuSeconds - samples.front().cpuSeconds;
        const double span = samples.empty() ? 0 : samples.back().minutes - samples.front().minutes;
        std::printf("Soak of %.1f minutes: %d random bytes a second, a valid burst every %.1f s\n",
                    minutes, kNoiseBytesPerSecond,
                    double((kNoisePerCycle + 2 * kQuiet).count()) / 1000);
        std::printf("  RSS %ld kB at the first sample, %ld kB at the last\n", samples.front().rssKb,
                    samples.back().rssKb);
        std::printf("  RSS slope after the first minute: %.1f kB per minute\n", rssSlope(samples));
        std::printf("  CPU: %.1f %% of one core on average\n",
                    span > 0 ? 100 * cpu / (span * 60) : 0.0);
        std::printf("  Commands that ran: %d of %d bursts (%.1f %%)\n", ran, bursts,
                    bursts ? 100.0 * ran / bursts : 0.0);
        return ran == bursts ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "soak_bench: %s\n", e.what());
        return 1;
    }
}
