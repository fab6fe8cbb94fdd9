// Ctrl+S in the real program writes the settings and the command file back exactly
// as it read them.

#include <gtest/gtest.h>
#include <sys/time.h>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <iostream>

#include "support/rig/desktop.h"
#include "support/rig/files.h"

using namespace std::chrono_literals;
using rig::Desktop;
using rig::Quenda;

namespace {

// Windows-1251 bytes of the Cyrillic test texts.
const QByteArray kPult = "\xCF\xF3\xEB\xFC\xF2";                         // "Пульт"
const QByteArray kPultLower = "\xEF\xF3\xEB\xFC\xF2";                    // "пульт"
const QByteArray kLivingRoom = "\xE2 \xE3\xEE\xF1\xF2\xE8\xED\xEE\xE9";  // "в гостиной"
const QByteArray kLouder = "\xC3\xF0\xEE\xEC\xF7\xE5";                   // "Громче"
const QByteArray kNotes = "\xE7\xE0\xEC\xE5\xF2\xEA\xE8";                // "заметки"
const QByteArray kNotepad =  // "Документ — Блокнот"
    "\xC4\xEE\xEA\xF3\xEC\xE5\xED\xF2 \x97 \xC1\xEB\xEE\xEA\xED\xEE\xF2";
const QByteArray kSound = "\xE7\xE2\xF3\xEA";  // "звук"
const QByteArray kUtf8Mark = "\xEF\xBB\xBF";

std::vector<files::Command> cyrillicCommands() {
    files::Command louder;
    louder.name = kLouder;
    louder.code = " 11 22 A0 FF";
    louder.typeAction = "Volume control";
    louder.runAction = "Up";
    louder.fileSound = "/usr/share/sounds/" + kSound + ".wav";
    files::Command notes;
    notes.name = "Open notes";
    notes.code = " 11 22 A1 FF";
    notes.typeAction = "Run command";
    notes.file = "/usr/bin/mousepad /tmp/" + kNotes + ".txt";
    notes.runAction = "Open";
    files::Command close;
    close.name = "Close notes";
    close.typeAction = "Run command";
    close.windowHandle = kNotepad;
    close.runAction = "Close";
    files::Command both;
    both.name = "Both";
    both.typeAction = "Combination command";
    both.combination = kLouder + ",Open notes";
    both.pause = "250";
    files::Command keys;
    keys.name = "Save document";
    keys.typeAction = "Key control";
    keys.keyAdd = "Ctrl+";
    keys.keyAdd1 = "Shift+";
    keys.key = "S";
    files::Command mouse;
    mouse.name = "Middle of screen";
    mouse.typeAction = "Mouse control";
    mouse.runAction = "Mouse on position:";
    mouse.mouseX = "640";
    mouse.mouseY = "400";
    return {louder, notes, close, both, keys, mouse};
}

void makeOld(const QString& path) {
    // An hour back, so a rewrite shows in the modification time whatever its grain.
    const qint64 old = QDateTime::currentSecsSinceEpoch() - 3600;
    const timeval times[2] = {{old, 0}, {old, 0}};
    ASSERT_EQ(utimes(path.toLocal8Bit().constData(), times), 0);
}

QDateTime modified(const QString& path) {
    return QFileInfo(path).lastModified();
}

struct Saved {
    QByteArray settings;
    QByteArray commands;
};

// The lines of a settings file with the value of `key` blanked out, and that value.
QList<QByteArray> linesWithout(const QByteArray& file, const QByteArray& key, QByteArray* value) {
    QList<QByteArray> lines = file.split('\n');
    for (QByteArray& line : lines) {
        if (line.startsWith(key)) {
            *value = line.mid(key.size()).trimmed();
            line = key + "#";
        }
    }
    return lines;
}

class SaveRoundTrip : public ::testing::Test {
  protected:
    // Starts the program on the given files, presses Ctrl+S in its window, waits until
    // both files were rewritten, ends the program and returns what is on disk.
    Saved saveOnce(const QByteArray& settings, const QString& commandPath,
                   const QByteArray& commands) {
        rig::TestHome& home = desktop_.home();
        const QString settingsPath = home.programFolder() + QStringLiteral("/QUENDA.ini");
        EXPECT_TRUE(QDir().mkpath(home.programFolder()));
        rig::writeFile(settingsPath, settings);
        rig::writeFile(commandPath, commands);
        makeOld(settingsPath);
        makeOld(commandPath);
        const QDateTime settingsBefore = modified(settingsPath);
        const QDateTime commandsBefore = modified(commandPath);

        Quenda quenda(home, desktop_.environment());
        const auto window = quenda.waitForMainWindow(desktop_.x(), 15s);
        if (!window) {
            ADD_FAILURE() << "no window: " << quenda.process().standardError().toStdString();
            return {};
        }
        rig::pressKeys(desktop_.environment(), window->id, QStringLiteral("ctrl+s"));
        const bool written = rig::waitUntil(
            [&] {
                return modified(settingsPath) != settingsBefore &&
                       modified(commandPath) != commandsBefore;
            },
            5s);
        EXPECT_TRUE(written) << "Ctrl+S did not rewrite both files; settings "
                             << (modified(settingsPath) != settingsBefore ? "were" : "were not")
                             << " written\n"
                             << quenda.process().standardError().toStdString();
        EXPECT_TRUE(quenda.process().running());
        EXPECT_TRUE(quenda.process().standardError().isEmpty())
            << quenda.process().standardError().toStdString();
        quenda.process().stop();
        return {rig::readFile(settingsPath), rig::readFile(commandPath)};
    }

    // Two runs. The first saves what it read, except that the tree panel's height
    // is the layout's rather than the file's; the second run, started from the first
    // one's file, saves it again byte for byte. The command file comes back
    // unchanged both times.
    void checkRoundTrip(const QByteArray& settings, const QString& commandPath,
                        const QByteArray& commands) {
        const Saved first = saveOnce(settings, commandPath, commands);
        ASSERT_FALSE(HasFailure()) << "stopping after a failed run";
        EXPECT_EQ(first.commands, commands);
        QByteArray preparedHeight;
        QByteArray savedHeight;
        EXPECT_EQ(linesWithout(first.settings, "LeftPanelH: ", &savedHeight),
                  linesWithout(settings, "LeftPanelH: ", &preparedHeight))
            << first.settings.toStdString();
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]+$"))
                        .match(QString::fromLatin1(savedHeight))
                        .hasMatch())
            << savedHeight.toStdString();
        std::cout << "[ saved    ] LeftPanelH " << preparedHeight.toStdString() << " -> "
                  << savedHeight.toStdString() << std::endl;

        const Saved second = saveOnce(first.settings, commandPath, commands);
        ASSERT_FALSE(HasFailure()) << "stopping after a failed run";
        EXPECT_EQ(second.settings, first.settings);
        EXPECT_EQ(second.commands, commands);
    }

    Desktop desktop_;  // no window manager: the geometry stays where the program puts it
};

TEST_F(SaveRoundTrip, CyrillicFilesComeBackByteForByteInWindows1251) {
    const QString commandPath =
        desktop_.home().work(QString::fromUtf8("\xD0\xBF\xD1\x83\xD0\xBB\xD1\x8C\xD1\x82.pci"));
    files::Settings settings;
    settings.comDevice = desktop_.home().firstPortDevice().toUtf8();
    settings.left = 140;
    settings.top = 90;
    settings.leftPanelW = 180;
    settings.rightPanelW = 700;
    settings.rightPanelH = 480;
    settings.loadFile = desktop_.home().workDir().toUtf8() + "/" + kPultLower + ".pci";
    settings.comBaud = "115200";
    settings.startSymbol = "A5";
    settings.delete1 = "FF";
    settings.changeFrom1 = "0D";
    settings.changeTo1 = "0A";
    settings.playSounds = "yes";
    settings.fontName = "DejaVu Sans";
    settings.fontColor = "clNavy";
    settings.pauseCommand = "250";
    settings.stepMouseClick = "10";
    ASSERT_LT(settings.loadFile.size(), 100) << "the temporary folder's path is too long";

    checkRoundTrip(files::settingsFile(settings), commandPath,
                   files::commandFile(kPult + " " + kLivingRoom, cyrillicCommands()));
}

// Text that Windows-1251 cannot hold stays UTF-8, with its byte-order mark, in both
// files: here the command file's path itself.
TEST_F(SaveRoundTrip, TextOutsideWindows1251ComesBackAsUtf8) {
    const QByteArray name = "caf\xC3\xA9 M\xC3\xBCller.pci";  // "café Müller.pci"
    const QString commandPath = desktop_.home().work(QString::fromUtf8(name));
    files::Settings settings;
    settings.comDevice = desktop_.home().firstPortDevice().toUtf8();
    settings.loadFile = desktop_.home().workDir().toUtf8() + "/" + name;
    ASSERT_LT(QString::fromUtf8(settings.loadFile).size(), 100);

    files::Command command;
    command.name = "M\xC3\xBCller \xE2\x80\x94 \xD0\x93\xD1\x80\xD0\xBE\xD0\xBC\xD1\x87\xD0\xB5";
    command.typeAction = "Run command";
    command.windowHandle =
        "\xC3\x9C"
        "bersicht \xE2\x80\x93 Caf\xC3\xA9";  // "Übersicht – Café"
    command.runAction = "Active";
    checkRoundTrip(kUtf8Mark + files::settingsFile(settings), commandPath,
                   kUtf8Mark + files::commandFile("Caf\xC3\xA9 remote", {command}));
}

// A remote made in a Linux text editor: UTF-8 without the byte-order mark, Cyrillic
// text in both files. It loads as written and is saved back the same way.
TEST_F(SaveRoundTrip, Utf8WithoutTheMarkComesBackByteForByte) {
    const QString commandPath = desktop_.home().work(QStringLiteral("linux-remote.pci"));
    files::Settings settings;
    settings.comDevice = desktop_.home().firstPortDevice().toUtf8();
    settings.loadFile = commandPath.toUtf8();
    settings.fontName = "\xD0\x90\xD1\x80\xD0\xB8\xD0\xB0\xD0\xBB";  // "Ариал"
    ASSERT_LT(settings.loadFile.size(), 100);

    files::Command command;
    command.name = "\xD0\x93\xD1\x80\xD0\xBE\xD0\xBC\xD1\x87\xD0\xB5";  // "Громче"
    command.typeAction = "Volume control";
    command.runAction = "Up";
    checkRoundTrip(files::settingsFile(settings), commandPath,
                   files::commandFile("\xD0\x9F\xD1\x83\xD0\xBB\xD1\x8C\xD1\x82", {command}));
}

}  // namespace
