#include <gtest/gtest.h>
#include <time.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>
#include <optional>
#include <thread>

#include "recording_host.h"
#include "support/rig/pty.h"

// The receiver is a pseudo-terminal: the test writes what a receiver would send into
// its end, and the reception opens the device as its serial port.
namespace {

class PtyReceptionTest : public ReceptionTest {
  protected:
    std::optional<rig::PseudoTerminal> receiver{std::in_place};
    const QString device = receiver->devicePath();

    void SetUp() override {
        timer1.setInterval(60);
        ASSERT_TRUE(reception.openPort({device, 9600, 8, 1}))
            << reception.link().errorString().toStdString();
    }
    void TearDown() override { reception.closePort(); }
    void send(const QByteArray& bytes) { ASSERT_TRUE(receiver->send(bytes)); }
    static bool waitUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > timeoutMs) {
                return false;
            }
            QTest::qWait(5);
        }
        return true;
    }
};

const QByteArray kBurst("\x0D\x30\xA0\x42\x43\xFF\x41\x42\x43", 9);

}  // namespace

TEST_F(PtyReceptionTest, AFilteredBurstBecomesTheCodeOfOnePass) {
    state.settings.recognizeStartSymbol = QStringLiteral("41");
    state.settings.recognizeDelete[4] = QStringLiteral("FF");
    state.settings.recognizeChangeFrom[0] = QStringLiteral("A0");
    state.settings.recognizeChangeTo[0] = QStringLiteral("41");
    fillTable(state.table, {{"Play", "41 42 43"}, {"Stop", " 30 41 42 43 41 42 43"}});
    // The port is held: nothing else opens it. A device that does not exist and
    // impossible line settings are refused too.
    SerialLink other;
    for (const PortSettings& refused :
         {PortSettings{device, 9600, 8, 1}, PortSettings{"/dev/quenda-no-such-port", 9600, 8, 1},
          PortSettings{device, 9600, 9, 1}}) {
        EXPECT_FALSE(other.open(refused)) << refused.device.toStdString();
    }
    timer1.setInterval(300);

    send(kBurst);
    ASSERT_TRUE(waitUntil([&] { return reception.Edit1.text().size() == 21; }));
    EXPECT_EQ(reception.Edit1.text(), QStringLiteral(" 30 41 42 43 41 42 43"));
    EXPECT_TRUE(timer1.enabled());

    ASSERT_TRUE(waitUntil([&] { return !host.only("dispatch").isEmpty() && !timer1.enabled(); }));
    EXPECT_EQ(host.events, (QStringList{"log 41 42 43", "dispatch 1", "feedback 1"}));
    EXPECT_EQ(reception.Edit1.text(), QString());
}

TEST_F(PtyReceptionTest, BytesSentWhileAPassWaitsStartTheNextPass) {
    fillTable(state.table, {{"Slow", " 41 42"}});
    // The action sleeps while the receiver sends the next press; or it shows a message
    // box, whose event loop lets the port announce the bytes in the middle of the pass.
    const std::function<void()> waits[] = {[this] {
                                               std::thread receiver([this] {
                                                   QThread::msleep(50);
                                                   send("AB");
                                               });
                                               QThread::msleep(300);
                                               receiver.join();
                                           },
                                           [this] {
                                               send("AB");
                                               QEventLoop loop;
                                               QTimer::singleShot(250, &loop, &QEventLoop::quit);
                                               loop.exec();
                                           }};
    for (const auto& wait : waits) {
        host.events.clear();
        host.onDispatch = [&](int) {
            if (host.events.size() == 2) {  // the first of the two presses
                wait();
            }
            return true;
        };
        send("AB");
        ASSERT_TRUE(waitUntil([&] { return host.events.size() == 6 && !timer1.enabled(); }));
        EXPECT_EQ(host.events, (QStringList{"log  41 42", "dispatch 1", "feedback 1", "log  41 42",
                                            "dispatch 1", "feedback 1"}));
        QTest::qWait(150);
        EXPECT_EQ(host.events.size(), 6);
    }
}

namespace {

// CPU time of the calling thread, in milliseconds.
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000 + double(t.tv_nsec) / 1e6;
}

}  // namespace

// The receiver's life: the line hangs up, the program says so once and sits quiet;
// the device comes back under the same name and reception goes on by itself.
TEST_F(PtyReceptionTest, AHungUpReceiverIsReportedOnceAndReopenedWhenItComesBack) {
    // The settings name a link to the terminal, as a udev name of an adapter does.
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("receiver"));
    ASSERT_TRUE(QFile::link(device, link));
    ASSERT_TRUE(reception.openPort({link, 9600, 8, 1}));
    fillTable(state.table, {{"Play", " 41 42"}});

    receiver.reset();  // unplugged: the line hangs up and its name goes away
    ASSERT_TRUE(QFile::remove(link));
    ASSERT_TRUE(waitUntil([&] { return !errors.messages.isEmpty(); }));
    EXPECT_TRUE(errors.messages.first().contains(link)) << errors.messages.first().toStdString();
    EXPECT_FALSE(reception.link().isOpen());
    EXPECT_TRUE(reception.link().waitingForDevice());

    // Missing for a second: no further report, and the thread does not spin.
    const double cpuBefore = threadCpuMs();
    QEventLoop idle;
    QTimer::singleShot(1000, &idle, &QEventLoop::quit);
    idle.exec();
    EXPECT_LT(threadCpuMs() - cpuBefore, 200.0);
    EXPECT_EQ(errors.messages.size(), 1);

    // A new terminal under the same name: found again within one retry.
    receiver.emplace();
    ASSERT_TRUE(QFile::link(receiver->devicePath(), link));
    ASSERT_TRUE(waitUntil([&] { return errors.messages.size() == 2; }, 2 * SerialLink::kRetryMs));
    EXPECT_EQ(errors.messages.last(), QStringLiteral("The receiver on %1 is back.").arg(link));
    EXPECT_FALSE(reception.link().waitingForDevice());
    send("AB");
    EXPECT_TRUE(waitUntil([&] { return !host.only("dispatch").isEmpty(); }));
}
