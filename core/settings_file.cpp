#include "core/settings_file.h"

#include <functional>
#include <vector>

#include "core/number_text.h"
#include "core/text_codec.h"

namespace {

enum class Trim { None, Both, Trailing };

bool isBlankOrControl(QChar c) {
    return c.unicode() <= 32;
}

QString trim(const QString& text, Trim how) {
    int begin = 0;
    int end = text.size();
    if (how == Trim::Both) {
        while (begin < end && isBlankOrControl(text[begin])) {
            ++begin;
        }
    }
    if (how != Trim::None) {
        while (end > begin && isBlankOrControl(text[end - 1])) {
            --end;
        }
    }
    return text.mid(begin, end - begin);
}

// A key looked for in every line, the column its value starts in (from 1) and the
// characters kept.
struct TextKey {
    QString key;
    int column;
    int kept;
    Trim trim;
    std::function<QString&(SettingsRecord&)> field;
};

struct GeometryKey {
    QString key;
    int column;
    int kept;
    Trim trim;
    std::optional<int> SettingsFile::ReadGeometry::*field;
};

const QString kFontColorKey = QStringLiteral("FontColor:");

#define FIELD(name) [](SettingsRecord& r) -> QString& { return r.name; }

std::vector<TextKey> textKeys() {
    std::vector<TextKey> keys = {
        {"Launch with Windows:", 22, 3, Trim::Both, FIELD(launchWithWindows)},
        {"Load minized on tray:", 23, 3, Trim::Both, FIELD(loadMinimized)},
        {"Load file:", 12, SettingsFile::kLoadFileKept, Trim::Both, FIELD(loadFile)},
        {"Language:", 11, 15, Trim::Both, FIELD(language)},
        {"Com Number:", 13, 5, Trim::Both, FIELD(comNumber)},
        {"Com Baud:", 11, 6, Trim::Both, FIELD(comBaud)},
        {"Com Data Bits:", 16, 1, Trim::Both, FIELD(comDataBits)},
        {"Com Stop Bits:", 16, 3, Trim::Both, FIELD(comStopBits)},
        {"Com Device:", 13, 100, Trim::Both, FIELD(comDevice)},
        {"Play sounds:", 14, 3, Trim::Both, FIELD(playSounds)},
        {"Show command:", 15, 3, Trim::Both, FIELD(showCommand)},
        {"FontName:", 11, 15, Trim::Both, FIELD(fontName)},
        {"FontSize:", 11, 3, Trim::Both, FIELD(fontSize)},
        {kFontColorKey, 12, 10, Trim::Both, FIELD(fontColor)},
        {"FontStyle:", 12, 10, Trim::Both, FIELD(fontStyle)},
        {"Show time command:", 20, 1, Trim::Both, FIELD(showTimeCommand)},
        {"Pause command:", 16, 4, Trim::Both, FIELD(pauseCommand)},
        {"Pause reboot:", 15, 3, Trim::Both, FIELD(pauseReboot)},
        {"Type system:", 14, 15, Trim::Both, FIELD(typeSystem)},
        {"Recognize start symbol:", 25, 50, Trim::Trailing, FIELD(recognizeStartSymbol)},
        {"Timer step:", 13, 2, Trim::Both, FIELD(timerStep)},
        {"Timer ambit:", 14, 3, Trim::Both, FIELD(timerAmbit)},
        {"Step Mouse:", 13, 3, Trim::Both, FIELD(stepMouse)},
        {"Step Mouse click:", 19, 2, Trim::Both, FIELD(stepMouseClick)},
    };
    for (int n = 0; n < 8; ++n) {
        const QString number = QString::number(n + 1);
        keys.push_back({"Recognize delete " + number + ":", 21, 2, Trim::Both,
                        [n](SettingsRecord& r) -> QString& { return r.recognizeDelete[n]; }});
        keys.push_back({"Recognize change from " + number + ":", 26, 2, Trim::Both,
                        [n](SettingsRecord& r) -> QString& { return r.recognizeChangeFrom[n]; }});
        keys.push_back({"Recognize change to   " + number + ":", 26, 2, Trim::Both,
                        [n](SettingsRecord& r) -> QString& { return r.recognizeChangeTo[n]; }});
    }
    return keys;
}

#undef FIELD

using G = SettingsFile::ReadGeometry;

// The four panel keys cut from the blank before the number; the conversion skips it.
const std::vector<GeometryKey> kGeometryKeys = {
    {"Left:", 7, 5, Trim::None, &G::left},
    {"Top:", 6, 5, Trim::Both, &G::top},
    {"LeftPanelW:", 12, 5, Trim::None, &G::leftPanelW},
    {"LeftPanelH:", 12, 5, Trim::None, &G::leftPanelH},
    {"RightPanelW:", 13, 5, Trim::None, &G::rightPanelW},
    {"RightPanelH:", 13, 25, Trim::None, &G::rightPanelH},
};

QString cut(const QString& line, int column, int kept) {
    return TextCodec::cut(line, column - 1, kept);
}

// A key counts only at the start of a line, so a value that holds another key's
// text (a path with "Left:" in it) never changes that other setting.
bool holdsKey(const QString& line, const QString& key) {
    return line.startsWith(key);
}

}  // namespace

namespace SettingsFile {

ReadResult read(const QStringList& lines, const SettingsRecord& defaults) {
    static const std::vector<TextKey> keys = textKeys();
    ReadResult result;
    SettingsRecord& record = result.record;
    std::vector<bool> found(keys.size(), false);
    for (const QString& line : lines) {
        if (line.isEmpty()) {
            continue;  // holds no key; the blank lines between groups, or many more
        }
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (!holdsKey(line, keys[i].key)) {
                continue;
            }
            const QString value = trim(cut(line, keys[i].column, keys[i].kept), keys[i].trim);
            // A colour line whose name is no colour is passed over whole, so the
            // name and its value always come from the same line.
            if (keys[i].key == kFontColorKey &&
                !FontColors::valueOf(value, record.fontColorValue)) {
                continue;
            }
            keys[i].field(record) = value;
            found[i] = true;
        }
        for (const GeometryKey& key : kGeometryKeys) {
            if (!holdsKey(line, key.key)) {
                continue;
            }
            const QString text = trim(cut(line, key.column, key.kept), key.trim);
            const std::optional<int> value = NumberText::toInt(text);
            if (!value) {
                result.errors << QStringLiteral("QUENDA.ini, key \"%1\": %2")
                                     .arg(key.key, NumberText::invalidIntegerMessage(text));
            }
            result.geometry.*key.field = value;
        }
    }
    SettingsRecord fallback = defaults;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!found[i]) {
            keys[i].field(record) = keys[i].field(fallback);
        }
    }
    FontColors::valueOf(record.fontColor, record.fontColorValue);
    return result;
}

QStringList write(const SettingsRecord& r, const WindowGeometry& g) {
    QStringList lines;
    lines << QString();
    lines << "Left: " + QString::number(g.left) << "Top: " + QString::number(g.top)
          << "LeftPanelW: " + QString::number(g.leftPanelW)
          << "LeftPanelH: " + QString::number(g.leftPanelH)
          << "RightPanelW: " + QString::number(g.rightPanelW)
          << "RightPanelH: " + QString::number(g.rightPanelH);
    lines << QString();
    lines << "Launch with Windows: " + r.launchWithWindows
          << "Load minized on tray: " + r.loadMinimized << "Load file: " + r.loadFile
          << "Language: " + r.language;
    lines << QString();
    lines << "Com Number: " + r.comNumber << "Com Baud: " + r.comBaud
          << "Com Data Bits: " + r.comDataBits << "Com Stop Bits: " + r.comStopBits
          << "Com Device: " + r.comDevice;
    lines << QString();
    lines << "Recognize start symbol: " + r.recognizeStartSymbol;
    lines << QString();
    for (int n = 0; n < 8; ++n) {
        lines << QStringLiteral("Recognize delete %1: ").arg(n + 1) + r.recognizeDelete[n];
    }
    lines << QString();
    for (int n = 0; n < 8; ++n) {
        lines << QStringLiteral("Recognize change from %1: ").arg(n + 1) + r.recognizeChangeFrom[n]
              << QStringLiteral("Recognize change to   %1: ").arg(n + 1) + r.recognizeChangeTo[n];
    }
    lines << QString();
    lines << "Play sounds: " + r.playSounds << "Show command: " + r.showCommand
          << "FontName: " + r.fontName << "FontSize: " + r.fontSize << "FontColor: " + r.fontColor
          << "FontStyle: " + r.fontStyle << "Show time command: " + r.showTimeCommand
          << "Pause command: " + r.pauseCommand << "Pause reboot: " + r.pauseReboot
          << "Type system: " + r.typeSystem << "Timer step: " + r.timerStep
          << "Timer ambit: " + r.timerAmbit << "Step Mouse: " + r.stepMouse
          << "Step Mouse click: " + r.stepMouseClick;
    return lines;
}

}  // namespace SettingsFile
