#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/settings_record.h"

// QUENDA.ini: the settings record and the main window's geometry, one key per line.
namespace SettingsFile {

inline constexpr const char* kFileName = "QUENDA.ini";
// The characters "Load file: " keeps: a longer path must be refused where it is
// chosen. A relative name lies in the program folder.
inline constexpr int kLoadFileKept = 100;

// Geometry values as read; a missing or unconvertible value stays empty and the
// window keeps what it has.
struct ReadGeometry {
    std::optional<int> left, top, leftPanelW, leftPanelH, rightPanelW, rightPanelH;
};

struct ReadResult {
    SettingsRecord record;
    ReadGeometry geometry;
    QStringList errors;  // one message per value that did not convert
};

// Keys are recognised at the start of a line and values cut from fixed columns. A
// key that no line holds takes the value of `defaults`. A "FontColor:" line counts
// only when it names one of the colours; the colour's value follows its name.
ReadResult read(const QStringList& lines, const SettingsRecord& defaults);

// The lines Save writes, in their fixed order with the blank lines between groups.
QStringList write(const SettingsRecord& record, const WindowGeometry& geometry);

}  // namespace SettingsFile
