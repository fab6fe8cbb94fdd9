#include "settings/dialog_values.h"

#include <QDir>
#include <algorithm>
#include <tuple>

#include "core/number_text.h"

namespace {

std::optional<DialogValues::Refusal> positive(const char* field, const QString& value,
                                              const Messages& messages) {
    const std::optional<int> number = NumberText::toInt(value);
    if (!number) {
        return DialogValues::Refusal{QLatin1String(field), value,
                                     NumberText::invalidIntegerMessage(value)};
    }
    if (*number < 1) {
        return DialogValues::Refusal{QLatin1String(field), value,
                                     messages.text(Messages::Id::MustBeOneOrMore)};
    }
    return std::nullopt;
}

// Names that end in a number sort by that number: ttyS2 before ttyS10.
bool naturalLess(const QString& a, const QString& b) {
    const auto split = [](const QString& name) {
        qsizetype digits = name.size();
        while (digits > 0 && name[digits - 1].isDigit()) {
            --digits;
        }
        return std::make_tuple(name.left(digits), name.mid(digits).toULongLong(), name);
    };
    return split(a) < split(b);
}

QStringList entries(const QString& folder, const QString& pattern) {
    QDir dir(folder);
    QStringList names = dir.entryList({pattern}, QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), naturalLess);
    QStringList paths;
    for (const QString& name : names) {
        paths << dir.filePath(name);
    }
    return paths;
}

}  // namespace

namespace DialogValues {

std::optional<Refusal> check(const Numbers& n, const Messages& messages) {
    const std::pair<const char*, const QString*> fields[] = {
        {"Pause command", &n.pauseCommand}, {"Pause reboot", &n.pauseReboot},
        {"Timer step", &n.timerStep},       {"Timer ambit", &n.timerAmbit},
        {"Step Mouse", &n.stepMouse},       {"Step Mouse click", &n.stepMouseClick}};
    for (const auto& [field, value] : fields) {
        if (std::optional<Refusal> refusal = positive(field, *value, messages)) {
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
