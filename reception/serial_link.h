#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>

#include "core/port_settings.h"

// The serial port the receiver is plugged into: opened with the settings' device,
// baud rate, data and stop bits, no parity and no flow control. Nothing here touches
// the modem lines, so a pseudo-terminal serves as well as a real port.
class SerialLink : public QObject {
    Q_OBJECT
  public:
    explicit SerialLink(QObject* parent = nullptr);
    ~SerialLink() override;

    // False when the port cannot be set up or opened; the caller shows the settings
    // error. Opening again closes the port that was open.
    bool open(const PortSettings& settings);
    void close();
    bool isOpen() const { return port_.isOpen(); }
    QString errorString() const { return port_.errorString(); }

    // Received bytes waiting to be taken, and taking all of them.
    qint64 bytesAvailable() const;
    QByteArray readAll();

  Q_SIGNALS:
    // Bytes arrived; delivered on the thread the link lives on (the GUI thread).
    void readyRead();

  private:
    QSerialPort port_;
};
