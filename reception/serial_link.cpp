#include "reception/serial_link.h"

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
}

SerialLink::~SerialLink() {
    close();
}

bool SerialLink::open(const PortSettings& settings) {
    close();
    QSerialPort::DataBits dataBits;
    QSerialPort::StopBits stopBits;
    if (settings.device.isEmpty() || settings.baud <= 0 ||
        !dataBitsOf(settings.dataBits, dataBits) || !stopBitsOf(settings.stopBits, stopBits)) {
        return false;
    }
    port_.setPortName(settings.device);
    // The line settings are given before opening, so the port opens with them in one
    // step and no modem-line call is made.
    port_.setBaudRate(settings.baud);
    port_.setDataBits(dataBits);
    port_.setStopBits(stopBits);
    port_.setParity(QSerialPort::NoParity);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    return port_.open(QIODevice::ReadOnly);
}

void SerialLink::close() {
    if (port_.isOpen()) {
        port_.close();
    }
}

qint64 SerialLink::bytesAvailable() const {
    return port_.isOpen() ? port_.bytesAvailable() : 0;
}

QByteArray SerialLink::readAll() {
    return port_.isOpen() ? port_.readAll() : QByteArray();
}
