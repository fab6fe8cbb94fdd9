#include "core/port_settings.h"

#include "core/number_text.h"

namespace {

// "COM 3" gives 3: the port number is the single character at position 5.
std::optional<int> comPortNumber(const QString& comNumber) {
    return NumberText::toInt(comNumber.mid(4, 1));
}

#ifndef Q_OS_WIN
// "COM n" is the n-th serial port of the machine. QUENDA_COM_PREFIX names another
// family of devices for the numbers ("/dev/ttyUSB" makes "COM 1" /dev/ttyUSB0).
QString comDevicePrefix() {
    const QString chosen = qEnvironmentVariable("QUENDA_COM_PREFIX");
    return chosen.isEmpty() ? QStringLiteral("/dev/ttyS") : chosen;
}
#endif

}  // namespace

std::optional<PortSettings> PortSettings::fromSettings(const SettingsRecord& s) {
    PortSettings port;
    if (!s.comDevice.isEmpty()) {
        port.device = s.comDevice;
    } else {
        const std::optional<int> number = comPortNumber(s.comNumber);
        if (!number || *number < 1) {
            return std::nullopt;
        }
#ifdef Q_OS_WIN
        port.device = QStringLiteral("COM%1").arg(*number);
#else
        port.device = comDevicePrefix() + QString::number(*number - 1);
#endif
    }
    const std::optional<int> baud = NumberText::toInt(s.comBaud);
    const std::optional<int> dataBits = NumberText::toInt(s.comDataBits.left(1));
    const std::optional<int> stopBits = NumberText::toInt(s.comStopBits.left(3));
    if (!baud || !dataBits || !stopBits) {
        return std::nullopt;
    }
    port.baud = *baud;
    port.dataBits = *dataBits;
    port.stopBits = *stopBits;
    return port;
}
