#pragma once

#include <QString>
#include <optional>

#include "core/settings_record.h"

// The serial port as the settings describe it, converted to numbers.
struct PortSettings {
    QString device;  // "/dev/ttyS<n-1>" for "COM n", or the "Com Device: " path
    int baud = 0;
    int dataBits = 0;
    int stopBits = 0;

    bool operator==(const PortSettings&) const = default;

    // Empty when a value does not convert: the caller shows the settings error.
    static std::optional<PortSettings> fromSettings(const SettingsRecord& settings);
};

// The message shown when the port settings are wrong or the port does not open.
inline const QString kSettingsErrorMessage = QStringLiteral("  Error in QUENDA.ini file!  ");
