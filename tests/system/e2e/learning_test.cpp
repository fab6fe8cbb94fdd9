// Teaching a command its code the way a user does: select it, open the learning
// dialog, press "Заново", press the remote's button five times, "Принять", save.
#include <gtest/gtest.h>
#include <QImage>
#include <thread>

#include "session.h"

using namespace std::chrono_literals;
using e2e::Session;

namespace {

// Where things are, from the top-left corner of the window's client area (no
// window manager, the built-in font): the tree's rows, the dialog's panels and
// buttons.
constexpr int kTreeX = 60;
constexpr int kHeaderRowY = 28;
constexpr int kRowHeight = 18;
const QPoint kAgainButton(12 + 44, 78 + 13);
const QPoint kAcceptButton(108 + 44, 78 + 13);
QPoint panelCentre(int panel) {
    return {12 + panel * 57 + 24, 32 + 12};
}

void xdotool(Session& s, const QStringList& args) {
    const rig::CommandResult r = rig::runCommand(QStringList{"xdotool"} + args, s.env());
    EXPECT_TRUE(r.ok()) << r.err.toStdString();
}

void click(Session& s, QPoint at, int button = 1) {
    xdotool(s, {"mousemove", QString::number(at.x()), QString::number(at.y()), "click",
                QString::number(button)});
    std::this_thread::sleep_for(250ms);
}

std::optional<rig::XWindowInfo> shownDialog(Session& s, const QString& title,
                                            rig::milliseconds limit) {
    std::optional<rig::XWindowInfo> found;
    rig::waitUntil(
        [&] {
            const auto shown = s.x().topLevelsTitled(title, true);
            if (!shown.empty()) {
                found = shown.front();
            }
            return found.has_value();
        },
        limit);
    return found;
}

std::optional<rig::XWindowInfo> learningDialog(Session& s, rig::milliseconds limit) {
    return shownDialog(s, QStringLiteral("Обучение ..."), limit);
}

// Every dialog opens by the one rule, on whole windows (frames included, where a
// window manager draws them): centred over the main window, 20 pixels lower. (The
// rig's window manager centres dialogs on the screen by itself, so these checks run
// without one.)
void expectPlacedOverMainWindow(Session& s, const rig::XWindowInfo& dialog) {
    const auto whole = [&](std::uint64_t id) { return s.x().window(s.x().frameOf(id)).rect; };
    const QRect main = whole(s.mainWindow().id);
    const QRect d = whole(dialog.id);
    EXPECT_EQ(d.topLeft(), QPoint(main.x() + (main.width() - d.width()) / 2,
                                  main.y() + (main.height() - d.height()) / 2 + 20))
        << dialog.title.toStdString() << ": main window " << main.x() << "," << main.y() << " "
        << main.width() << "x" << main.height() << ", dialog " << d.width() << "x" << d.height();
}

}  // namespace

TEST(Learning, FivePressesTeachTheSelectedCommandItsCodeAndSaveKeepsIt) {
    Session s(rig::DesktopOptions{});
    files::Settings settings;
    settings.loadMinimized = "no";
    settings.language = "Russian";  // the dialog is found by its Russian title
    const QString remote = s.writeCommandFile("remote.pci", "Study remote",
                                              {e2e::openCommand("Keep", " 4B", "/usr/bin/true"),
                                               e2e::openCommand("Learn me", "", "/usr/bin/true")});
    s.writeSettings(settings, remote);
    ASSERT_TRUE(s.start());
    const QRect main = s.mainWindow().rect;

    // The second command, then "обучение ..." from its context menu.
    const QPoint row = main.topLeft() + QPoint(kTreeX, kHeaderRowY + 2 * kRowHeight);
    click(s, row);
    click(s, row, 3);
    xdotool(s, {"key", "--delay", "60", "Down", "Down", "Return"});
    const std::optional<rig::XWindowInfo> dialog = learningDialog(s, 5s);
    ASSERT_TRUE(dialog) << s.programErrors();
    expectPlacedOverMainWindow(s, *dialog);
    const QRect d = dialog->rect;

    click(s, d.topLeft() + kAgainButton);
    const auto pressButton = [&] {
        s.press("ABC");
        std::this_thread::sleep_for(350ms);  // more than the 100 ms of one pass
    };
    for (int i = 0; i < 3; ++i) {
        pressButton();
    }
    // Half way: three green panels, two red.
    const QString shot = s.screenshot(QStringLiteral("learning"));
    const QImage image(shot);
    ASSERT_FALSE(image.isNull());
    for (int panel = 0; panel < 5; ++panel) {
        const QColor expected = panel < 3 ? QColor(0, 255, 0) : QColor(255, 0, 0);
        EXPECT_EQ(image.pixelColor(d.topLeft() + panelCentre(panel)), expected)
            << "panel " << panel + 1;
    }
    rig::keepScreenshot(shot, QStringLiteral("learning-dialog.png"));

    pressButton();
    pressButton();
    click(s, d.topLeft() + kAcceptButton);
    ASSERT_TRUE(rig::waitUntil(
        [&] { return s.x().topLevelsTitled(QStringLiteral("Обучение ..."), true).empty(); }, 3s))
        << "the dialog is still open: \"Принять\" was not enabled";
    rig::pressKeys(s.env(), s.mainWindow().id, QStringLiteral("ctrl+s"));
    const QByteArray learned = "\r\nName: Learn me\r\nCode:  41 42 43\r\n";
    EXPECT_TRUE(rig::waitUntil([&] { return rig::readFile(remote).contains(learned); }, 5s))
        << rig::readFile(remote).toStdString();
    EXPECT_TRUE(rig::readFile(remote).contains("\r\nName: Keep\r\nCode:  4B\r\n"));
}

// A code that loads another command file while the dialog is open takes the
// command being taught away: the dialog closes and nothing is learned into the
// command that now sits in its slot. The new command's dialog, opened first from
// the same menu, shows that the editor's dialogs open by the learning dialog's rule.
TEST(Learning, AnotherCommandFileLoadedMeanwhileClosesTheDialog) {
    Session s(rig::DesktopOptions{});
    files::Settings settings;
    settings.loadMinimized = "no";
    settings.language = "Russian";  // the dialog is found by its Russian title
    const QString other = s.writeCommandFile("other.pci", "Other remote",
                                             {e2e::openCommand("First", "", "/usr/bin/true"),
                                              e2e::openCommand("Second", " 55", "/usr/bin/true")});
    const QString remote = s.writeCommandFile("remote.pci", "Study remote",
                                              {e2e::openCommand("Switch", " 4B", other.toUtf8()),
                                               e2e::openCommand("Learn me", "", "/usr/bin/true")});
    s.writeSettings(settings, remote);
    ASSERT_TRUE(s.start());
    const QRect main = s.mainWindow().rect;
    const QPoint row = main.topLeft() + QPoint(kTreeX, kHeaderRowY + 2 * kRowHeight);
    click(s, row);
    click(s, row, 3);
    xdotool(s, {"key", "--delay", "60", "Down", "Return"});  // "новая команда"
    const auto newCommand = shownDialog(s, QStringLiteral("Новая команда"), 5s);
    ASSERT_TRUE(newCommand) << s.programErrors();
    expectPlacedOverMainWindow(s, *newCommand);
    xdotool(s, {"key", "Escape"});
    ASSERT_TRUE(rig::waitUntil(
        [&] { return s.x().topLevelsTitled(QStringLiteral("Новая команда"), true).empty(); }, 3s));

    click(s, row, 3);
    xdotool(s, {"key", "--delay", "60", "Down", "Down", "Return"});
    const auto learning = learningDialog(s, 5s);
    ASSERT_TRUE(learning) << s.programErrors();
    expectPlacedOverMainWindow(s, *learning);

    s.press("K");  // matched as usual while the dialog does not collect
    EXPECT_TRUE(rig::waitUntil(
        [&] { return s.x().topLevelsTitled(QStringLiteral("Обучение ..."), true).empty(); }, 5s))
        << "the dialog stayed open for a command that is gone";
    // Saved, the other file keeps the codes it had.
    rig::pressKeys(s.env(), s.mainWindow().id, QStringLiteral("ctrl+s"));
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(rig::readFile(other).contains("\r\nName: Second\r\nCode:  55\r\n"))
        << rig::readFile(other).toStdString();
}
