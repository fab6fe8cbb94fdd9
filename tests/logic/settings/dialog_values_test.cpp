#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "../test_helpers.h"
#include "settings/dialog_values.h"

// The stable names first, then the USB adapters, then the built-in ports, each in
// natural order (ttyS2 before ttyS10); other devices are not offered.
TEST(DialogValues, SerialDevicesStableNamesFirstInNaturalOrder) {
    QTemporaryDir dev;
    ASSERT_TRUE(QDir(dev.path()).mkpath(QStringLiteral("serial/by-id")));
    for (const char* name : {"ttyS10", "ttyS2", "ttyACM0", "ttyUSB1", "ttyUSB0", "tty0", "sda",
                             "serial/by-id/usb-FTDI_receiver-if00-port0"}) {
        ASSERT_TRUE(TestFiles::writeBytes(dev.filePath(QLatin1String(name)), QByteArray()));
    }
    const QString root = dev.path();
    EXPECT_EQ(
        DialogValues::serialDevices(root),
        (QStringList{root + "/serial/by-id/usb-FTDI_receiver-if00-port0", root + "/ttyUSB0",
                     root + "/ttyUSB1", root + "/ttyACM0", root + "/ttyS2", root + "/ttyS10"}));
    EXPECT_TRUE(DialogValues::serialDevices(root + "/none").isEmpty());
}
