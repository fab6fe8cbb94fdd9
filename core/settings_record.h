#pragma once

#include <QString>
#include <array>
#include <cstdint>

// The user's options, one text per line of QUENDA.ini, held exactly as read or as
// taken from the settings dialog; numbers are converted where they are used.
struct SettingsRecord {
    QString launchWithWindows;
    QString loadMinimized;
    QString loadFile;
    QString language;
    QString comNumber;
    QString comBaud;
    QString comDataBits;
    QString comStopBits;
    QString comDevice;  // any device path; wins over comNumber when not empty
    QString recognizeStartSymbol;
    std::array<QString, 8> recognizeDelete;
    std::array<QString, 8> recognizeChangeFrom;
    std::array<QString, 8> recognizeChangeTo;
    QString playSounds;
    QString showCommand;
    QString fontName;
    QString fontSize;
    QString fontColor;
    QString fontStyle;
    QString showTimeCommand;
    QString pauseCommand;
    QString pauseReboot;
    QString typeSystem;
    QString timerStep;
    QString timerAmbit;
    QString stepMouse;
    QString stepMouseClick;

    // Colour of fontColor as a Windows RGB value (red in the low byte).
    std::uint32_t fontColorValue = 0;

    bool operator==(const SettingsRecord&) const = default;

    // What a first start writes and what a key missing from the file falls back to.
    static SettingsRecord defaults(const QString& language);
};

// The main window's placement as the settings file stores it.
struct WindowGeometry {
    int left = 111;
    int top = 115;
    int leftPanelW = 150;   // width of the tree pane
    int leftPanelH = 377;   // height of the tree pane
    int rightPanelW = 654;  // width of the main window
    int rightPanelH = 442;  // height of the main window

    bool operator==(const WindowGeometry&) const = default;
};

// The sixteen colour names of the overlay font and their Windows RGB values.
namespace FontColors {
bool valueOf(const QString& name, std::uint32_t& value);
// Empty when the value has no name.
QString nameOf(std::uint32_t value);
}  // namespace FontColors

// Interface language from a locale name: Russian for a Russian locale, else English.
QString languageForLocale(const QString& localeName);
