#include "settings/dialog_values.h"

#include <QCollator>
#include <QDir>

#include "core/number_text.h"

namespace {

std::optional<DialogValues::Refusal> positive(const char* field, const QString& value) {
    const std::optional<int> number = NumberText::toInt(value);
    if (!number) {
        return DialogValues::Refusal{QLatin1String(field), value,
                                     NumberText::invalidIntegerMessage(value)};
    }
    if (*number < 1) {
        return DialogValues::Refusal{QLatin1String(field), value,
                                     QStringLiteral("it must be 1 or more")};
    }
    return std::nullopt;
}

QStringList entries(const QString& folder, const QString& pattern) {
    QDir dir(folder);
    QStringList names = dir.entryList({pattern}, QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    QCollator natural;
    natural.setNumericMode(true);
    std::sort(names.begin(), names.end(), natural);
    QStringList paths;
    for (const QString& name : names) {
        paths << dir.filePath(name);
    }
    return paths;
}

}  // namespace

namespace DialogValues {

std::optional<Refusal> check(const Numbers& n) {
    const std::pair<const char*, const QString*> fields[] = {
        {"Pause command", &n.pauseCommand}, {"Pause reboot", &n.pauseReboot},
        {"Timer step", &n.timerStep},       {"Timer ambit", &n.timerAmbit},
        {"Step Mouse", &n.stepMouse},       {"Step Mouse click", &n.stepMouseClick}};
    for (const auto& [field, value] : fields) {
        if (std::optional<Refusal> refusal = positive(field, *value)) {
            return refusal;
        }
    }
    return std::nullopt;
}

QStringList serialDevices(const QString& root) {
    QStringList devices = entries(root + QStringLiteral("/serial/by-id"), QStringLiteral("*"));
    for (const char* pattern : {"ttyUSB*", "ttyACM*", "ttyS*"}) {
        devices += entries(root, QLatin1String(pattern));
    }
    return devices;
}

}  // namespace DialogValues
