#pragma once

#include <QByteArray>
#include <vector>

// Settings and command files as the user's disk holds them: bytes, lines ended by
// CR LF, text in Windows-1251 unless a test gives UTF-8 with its byte-order mark.
namespace files {

struct Settings {
    int left = 111, top = 115, leftPanelW = 150, leftPanelH = 377, rightPanelW = 654,
        rightPanelH = 442;
    QByteArray loadMinimized = "no";
    QByteArray loadFile;
    QByteArray language = "English";
    QByteArray comBaud = "9600";
    QByteArray comDevice;  // the test's pseudo-terminal, so no port of the machine is opened
    QByteArray startSymbol;
    QByteArray delete1;
    QByteArray changeFrom1, changeTo1;
    QByteArray playSounds = "no";
    QByteArray fontName = "MS Sans Serif";
    QByteArray fontColor = "clRed";
    QByteArray pauseCommand = "100";
    QByteArray stepMouseClick = "3";
};

// The whole settings file, every key in the order the program writes them.
QByteArray settingsFile(const Settings& s);

// Fields in the order of the record's lines; each empty unless given.
struct Command {
    QByteArray name{}, code{}, typeAction{}, combination{}, file{}, windowHandle{}, runAction{},
        keyAdd{}, keyAdd1{}, key{}, mouseX{}, mouseY{}, pause{}, fileSound{};
};

// A command file: the header record, then one fourteen-line record per command.
QByteArray commandFile(const QByteArray& header, const std::vector<Command>& commands);

}  // namespace files
