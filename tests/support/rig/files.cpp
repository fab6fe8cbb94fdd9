#include "support/rig/files.h"

namespace files {

namespace {

struct Lines {
    QByteArray bytes;
    Lines& operator<<(const QByteArray& line) {
        bytes += line + "\r\n";
        return *this;
    }
};

}  // namespace

QByteArray settingsFile(const Settings& s) {
    Lines f;
    f << "";
    f << "Left: " + QByteArray::number(s.left) << "Top: " + QByteArray::number(s.top)
      << "LeftPanelW: " + QByteArray::number(s.leftPanelW)
      << "LeftPanelH: " + QByteArray::number(s.leftPanelH)
      << "RightPanelW: " + QByteArray::number(s.rightPanelW)
      << "RightPanelH: " + QByteArray::number(s.rightPanelH);
    f << "";
    f << "Launch with Windows: no"
      << "Load minized on tray: " + s.loadMinimized << "Load file: " + s.loadFile
      << "Language: " + s.language;
    f << "";
    f << "Com Number: COM 1"
      << "Com Baud: " + s.comBaud << "Com Data Bits: 8"
      << "Com Stop Bits: 1"
      << "Com Device: " + s.comDevice;
    f << "";
    f << "Recognize start symbol: " + s.startSymbol;
    f << "";
    f << "Recognize delete 1: " + s.delete1;
    for (int n = 2; n <= 8; ++n) {
        f << "Recognize delete " + QByteArray::number(n) + ": ";
    }
    f << "";
    f << "Recognize change from 1: " + s.changeFrom1 << "Recognize change to   1: " + s.changeTo1;
    for (int n = 2; n <= 8; ++n) {
        f << "Recognize change from " + QByteArray::number(n) + ": "
          << "Recognize change to   " + QByteArray::number(n) + ": ";
    }
    f << "";
    f << "Play sounds: " + s.playSounds << "Show command: yes"
      << "FontName: " + s.fontName << "FontSize: 18"
      << "FontColor: " + s.fontColor << "FontStyle: fsBold"
      << "Show time command: 3"
      << "Pause command: " + s.pauseCommand << "Pause reboot: 999"
      << "Type system: Windows XP"
      << "Timer step: 10"
      << "Timer ambit: 120"
      << "Step Mouse: 15"
      << "Step Mouse click: " + s.stepMouseClick;
    return f.bytes;
}

QByteArray commandFile(const QByteArray& header, const std::vector<Command>& commands) {
    Lines f;
    f << "Name: " + header << "";
    for (const Command& c : commands) {
        f << "Name: " + c.name << "Code: " + c.code << "Type Action: " + c.typeAction
          << "Command combination: " + c.combination << "File: " + c.file
          << "WindowHandle: " + c.windowHandle << "Run Action: " + c.runAction
          << "Key add: " + c.keyAdd << "Key add1: " + c.keyAdd1 << "Key: " + c.key
          << "MousePos X: " + c.mouseX << "MousePos Y: " + c.mouseY << "Pause: " + c.pause
          << "FileSound: " + c.fileSound << "";
    }
    return f.bytes;
}

}  // namespace files
