#include "platform/linux/logind_power.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>

namespace {

// logind answers at once; a bus that does not answer must not hold the program.
constexpr int kCallTimeoutMs = 5000;

}  // namespace

namespace LogindPower {

QString request(Action action) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        return QStringLiteral("no system bus (%1)").arg(bus.lastError().message());
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"),
        action == Action::PowerOff ? QStringLiteral("PowerOff") : QStringLiteral("Reboot"));
    call << false;  // not interactive
    const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        return {};
    }
    const QString message =
        reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
    return message.isEmpty() ? QStringLiteral("no answer from logind") : message;
}

}  // namespace LogindPower
