#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QTimer>

#include "core/port_settings.h"

// The serial port the receiver is plugged into: opened with the settings' device,
// baud rate, data and stop bits, no parity and no flow control. Nothing here touches
// the modem lines, so a pseudo-terminal serves as well as a real port.
//
// A receiver can go away while the program runs (an adapter unplugged, the other
// end of a line hung up). The port then reports an error or end of file at every
// turn of the event loop; the link closes it instead, says so once, and tries to
// open the same device again every two seconds until it is back. Nothing else runs
// while the device is missing.
class SerialLink : public QObject {
    Q_OBJECT
  public:
    explicit SerialLink(QObject* parent = nullptr);
    ~SerialLink() override;

    static constexpr int kRetryMs = 2000;

    // False when the port cannot be set up or opened; the caller shows the settings
    // error. Opening again closes the port that was open.
    bool open(const PortSettings& settings);
    // Closes the port and gives up looking for a lost device.
    void close();
    bool waitingForDevice() const { return retry_.isActive(); }
    bool isOpen() const { return port_.isOpen(); }
    QString errorString() const { return port_.errorString(); }

    // Received bytes waiting to be taken, and taking all of them.
    qint64 bytesAvailable() const;
    QByteArray readAll();

  Q_SIGNALS:
    // Bytes arrived; delivered on the thread the link lives on (the GUI thread).
    void readyRead();
    // The open port failed and was closed; the link keeps trying to open the device.
    void lost(const QString& device);
    // The lost device was opened again.
    void back(const QString& device);

  private:
    void portFailed(QSerialPort::SerialPortError error);
    void retryOpen();
    bool openPort();

    QSerialPort port_;
    PortSettings settings_;
    QTimer retry_;
};
