#include "reception/serial_link.h"

#include <QFileInfo>

namespace {

bool dataBitsOf(int bits, QSerialPort::DataBits& out) {
    switch (bits) {
        case 5:
            out = QSerialPort::Data5;
            return true;
        case 6:
            out = QSerialPort::Data6;
            return true;
        case 7:
            out = QSerialPort::Data7;
            return true;
        case 8:
            out = QSerialPort::Data8;
            return true;
        default:
            return false;
    }
}

bool stopBitsOf(int bits, QSerialPort::StopBits& out) {
    switch (bits) {
        case 1:
            out = QSerialPort::OneStop;
            return true;
        case 2:
            out = QSerialPort::TwoStop;
            return true;
        default:
            return false;
    }
}

}  // namespace

SerialLink::SerialLink(QObject* parent) : QObject(parent) {
    connect(&port_, &QSerialPort::readyRead, this, &SerialLink::readyRead);
    // Queued: the port is closed after it has finished reporting, never inside its
    // own read handler.
    connect(&port_, &QSerialPort::errorOccurred, this, &SerialLink::portFailed,
            Qt::QueuedConnection);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, &SerialLink::retryOpen);
}

SerialLink::~SerialLink() {
    close();
}

bool SerialLink::open(const PortSettings& settings) {
    close();
    settings_ = settings;
    return openPort();
}

bool SerialLink::openPort() {
    QSerialPort::DataBits dataBits;
    QSerialPort::StopBits stopBits;
    if (settings_.device.isEmpty() || settings_.baud <= 0 ||
        !dataBitsOf(settings_.dataBits, dataBits) || !stopBitsOf(settings_.stopBits, stopBits)) {
        return false;
    }
    port_.setPortName(settings_.device);
    // The line settings are given before opening, so the port opens with them in one
    // step and no modem-line call is made.
    port_.setBaudRate(settings_.baud);
    port_.setDataBits(dataBits);
    port_.setStopBits(stopBits);
    port_.setParity(QSerialPort::NoParity);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    return port_.open(QIODevice::ReadOnly);
}

void SerialLink::close() {
    retry_.stop();
    if (port_.isOpen()) {
        port_.close();
    }
}

// A read that fails or finds the end of the line (a hung-up terminal reads as end
// of file for ever) means the device is gone; other errors (a line setting the
// device does not have) leave the port as it is.
void SerialLink::portFailed(QSerialPort::SerialPortError error) {
    if (!port_.isOpen() ||
        (error != QSerialPort::ReadError && error != QSerialPort::ResourceError)) {
        return;
    }
    port_.close();
    port_.clearError();
    retry_.start();
    Q_EMIT lost(settings_.device);
}

void SerialLink::retryOpen() {
    // Opening takes and drops a lock file, synced to disk, each time; while the
    // device is missing one look at the file system is all a retry costs.
    const QString location = settings_.device.startsWith(QLatin1Char('/'))
                                 ? settings_.device
                                 : QStringLiteral("/dev/") + settings_.device;
    if (!QFileInfo::exists(location) || !openPort()) {
        return;
    }
    retry_.stop();
    Q_EMIT back(settings_.device);
}

qint64 SerialLink::bytesAvailable() const {
    return port_.isOpen() ? port_.bytesAvailable() : 0;
}

QByteArray SerialLink::readAll() {
    return port_.isOpen() ? port_.readAll() : QByteArray();
}
