// Key and mouse commands from the remote, with the program living in the tray: the
// keys reach the focused witness window, the pointer moves on the X screen and the
// witness sees the buttons and drags.
#include <gtest/gtest.h>
#include <thread>

#include "session.h"

using namespace std::chrono_literals;
using e2e::Session;

namespace {

files::Command keyCommand(const QByteArray& name, const QByteArray& code, const QByteArray& keyAdd,
                          const QByteArray& keyAdd1, const QByteArray& key) {
    files::Command c;
    c.name = name;
    c.code = code;
    c.typeAction = "Key control";
    c.keyAdd = keyAdd;
    c.keyAdd1 = keyAdd1;
    c.key = key;
    return c;
}

files::Command mouseCommand(const QByteArray& name, const QByteArray& code,
                            const QByteArray& action, const QByteArray& x = {},
                            const QByteArray& y = {}, const QByteArray& caption = {}) {
    files::Command c;
    c.name = name;
    c.code = code;
    c.typeAction = "Mouse control";
    c.runAction = action;
    c.mouseX = x;
    c.mouseY = y;
    c.windowHandle = caption;
    return c;
}

// The witness lines about keys, buttons and drags, without the window's title and
// the time stamps.
QStringList inputLines(Session& s) {
    QStringList lines;
    for (const QString& line : s.witnessLog()) {
        const QString kind = line.section(QLatin1Char(' '), 0, 0);
        if (kind == QLatin1String("key") || kind == QLatin1String("button") ||
            kind == QLatin1String("motion")) {
            lines << kind + QLatin1Char(' ') +
                         line.section(QLatin1Char(' '), 2).section(QStringLiteral(" @"), 0, 0);
        }
    }
    return lines;
}

bool waitForInputLines(Session& s, int count) {
    return rig::waitUntil([&] { return inputLines(s).size() >= count; }, 5000ms);
}

std::string text(const QStringList& lines) {
    return lines.join(QLatin1Char('\n')).toStdString();
}

}  // namespace

TEST(KeyCommands, TypeIntoTheFocusedWindowWithModifiersHeldAround) {
    // No window manager, which would take Alt+F4 for itself.
    Session s({.trayHost = true});
    files::Settings settings;
    settings.loadMinimized = "yes";
    const QString remote =
        s.writeCommandFile("remote.pci", "Keys",
                           {keyCommand("Close window", " 61", "Alt+", "", "F4"),
                            keyCommand("Task manager", " 62", "Ctrl+", "Alt+", "Delete"),
                            keyCommand("Seven", " 63", "", "", "7"),
                            keyCommand("Select", " 64", "Shift+", "", "Left mouse")});
    s.writeSettings(settings, remote);
    s.startWitness({QStringLiteral("Editor")});
    ASSERT_TRUE(s.start());
    s.focus(QStringLiteral("Editor"));
    ASSERT_TRUE(s.waitForWitness(QStringLiteral("focus Editor"), 5s));

    const QList<std::pair<QByteArray, QStringList>> presses = {
        {"a", {"key press Alt_L", "key press F4", "key release F4", "key release Alt_L"}},
        {"b",
         {"key press Control_L", "key press Alt_L", "key press Delete", "key release Delete",
          "key release Alt_L", "key release Control_L"}},
        {"c", {"key press 7", "key release 7"}},
        {"d", {"key press Shift_L", "button press 1", "button release 1", "key release Shift_L"}},
    };
    QStringList expected;
    for (const auto& [burst, lines] : presses) {
        s.press(burst);
        expected << lines;
        EXPECT_TRUE(waitForInputLines(s, int(expected.size()))) << burst.constData();
        EXPECT_EQ(text(inputLines(s)), text(expected)) << s.programErrors();
    }
}

TEST(MouseCommands, PositionStepDragClicksAndContinuousMovement) {
    Session s({.trayHost = true});  // no window manager: the witness stays at 40,40
    files::Settings settings;
    settings.loadMinimized = "yes";
    const QString remote =
        s.writeCommandFile("remote.pci", "Mouse",
                           {mouseCommand("Put", " 61", "Mouse on position:", "300", "200"),
                            mouseCommand("Put in window", " 62",
                                         "Mouse on position for windows:", "10", "20", "Target"),
                            mouseCommand("Step right", " 63", "Right"),
                            mouseCommand("Drag down", " 64", "Left button click & bottom"),
                            mouseCommand("Double", " 65", "Left button twice click"),
                            mouseCommand("Toggle", " 66", "Move: continuously/on step"),
                            mouseCommand("Down", " 67", "Down"), mouseCommand("Up", " 68", "Up")});
    s.writeSettings(settings, remote);
    s.startWitness({QStringLiteral("Target")}, {QStringLiteral("--times")});
    ASSERT_TRUE(s.start());

    s.press("a");
    EXPECT_TRUE(rig::waitUntil([&] { return s.pointer() == QPoint(300, 200); }, 5s))
        << s.pointer().x() << "," << s.pointer().y() << s.programErrors();
    s.press("b");  // relative to the window's top-left corner
    EXPECT_TRUE(rig::waitUntil([&] { return s.pointer() == QPoint(50, 60); }, 5s))
        << s.pointer().x() << "," << s.pointer().y();
    s.press("c");  // one step of 15 pixels
    EXPECT_TRUE(rig::waitUntil([&] { return s.pointer() == QPoint(65, 60); }, 5s))
        << s.pointer().x() << "," << s.pointer().y();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(s.pointer(), QPoint(65, 60)) << "step mode moves once";

    // A drag of one step: press, motion with the button held, release.
    const int before = int(inputLines(s).size());
    s.press("d");
    ASSERT_TRUE(rig::waitUntil([&] { return inputLines(s).contains("button release 1"); }, 5s));
    EXPECT_EQ(text(inputLines(s).mid(before)),
              text({"button press 1", "motion 65 75", "button release 1"}));
    EXPECT_EQ(s.pointer(), QPoint(65, 75));

    // Two clicks 50 ms apart, by the server's clock; without the pause they would
    // be a few ms apart.
    const int clicksFrom = int(s.witnessLog().size());
    s.press("e");
    ASSERT_TRUE(rig::waitUntil(
        [&] { return s.witnessLog().mid(clicksFrom).filter("button").size() >= 4; }, 5s));
    const QStringList clicks = s.witnessLog().mid(clicksFrom).filter("button");
    ASSERT_EQ(clicks.size(), 4) << text(clicks);
    const auto time = [&](int i) { return clicks[i].section(QStringLiteral(" @"), 1).toLong(); };
    // The server stamps an event when it handles it, a few ms late under load.
    EXPECT_GE(time(2) - time(0), 45) << text(clicks);
    EXPECT_LE(time(2) - time(0), 400) << text(clicks);

    // Continuous mode: the pointer keeps moving down until a movement command comes
    // again, whatever its direction.
    s.press("f");
    std::this_thread::sleep_for(500ms);  // two codes, not one
    s.press("g");
    EXPECT_TRUE(rig::waitUntil([&] { return s.pointer().y() >= 75 + 40; }, 5s)) << s.pointer().y();
    EXPECT_EQ(s.pointer().x(), 65);
    s.press("h");
    QPoint stopped;
    EXPECT_TRUE(rig::waitUntil(
        [&] {
            stopped = s.pointer();
            std::this_thread::sleep_for(200ms);
            return s.pointer() == stopped;
        },
        5s));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(s.pointer(), stopped) << "stopped";
    EXPECT_TRUE(s.programErrors().empty()) << s.programErrors();
}
