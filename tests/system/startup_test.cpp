// The real program on a private X desktop: what its user sees when it starts.

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <thread>

#include "screen_text.h"
#include "support/rig/desktop.h"
#include "support/rig/files.h"
#include "support/rig/user.h"

using namespace std::chrono_literals;
using rig::Desktop;
using rig::Quenda;

namespace {

constexpr auto kReadLimit = 15s;

QString programFile(rig::TestHome& home, const char* name) {
    return home.programFolder() + QLatin1Char('/') + QLatin1String(name);
}

// The devices the program holds open; the rig starts it as the one child of
// `timeout`.
QStringList openDevices(const rig::ChildProcess& underTimeout) {
    const QByteArray children =
        rig::readFile(QStringLiteral("/proc/%1/task/%1/children").arg(underTimeout.pid()))
            .trimmed();
    const QString fds = QStringLiteral("/proc/%1/fd").arg(QString(children.split(' ')[0]));
    QStringList devices;
    for (const QFileInfo& fd : QDir(fds).entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = fd.symLinkTarget();
        if (target.startsWith(QLatin1String("/dev/"))) {
            devices << target;
        }
    }
    return devices;
}

}  // namespace

TEST(StartUp, FirstStartCreatesItsFilesAndShowsTheSampleRemote) {
    Desktop desktop;
    rig::TestHome& home = desktop.home();
    ASSERT_FALSE(QFileInfo::exists(home.programFolder()));

    Quenda quenda(home, desktop.environment());
    const auto window = quenda.waitForMainWindow(desktop.x());
    ASSERT_TRUE(window) << quenda.process().standardError().toStdString();

    // The first start left default settings that name the sample remote beside them
    // by its bare name, so a long folder path does not matter, and the sample is a
    // copy of the one the program ships.
    const QByteArray settings = rig::readFile(programFile(home, "QUENDA.ini"));
    const QByteArray sample = rig::readFile(programFile(home, "sample.pci"));
    EXPECT_TRUE(settings.contains("\r\nLoad file: sample.pci\r\n")) << settings.toStdString();
    EXPECT_TRUE(settings.contains("\r\nLanguage: English\r\n"));
    EXPECT_EQ(sample, rig::readFile(QStringLiteral(QUENDA_SOURCE_DIR "/resources/sample.pci")));
    // "COM 1" of the default settings is the rig's pseudo-terminal, never a serial
    // port of the machine.
    const QStringList devices = openDevices(quenda.process());
    EXPECT_TRUE(devices.contains(home.firstPortDevice())) << devices.join(' ').toStdString();
    EXPECT_TRUE(devices.filter(QStringLiteral("/dev/ttyS")).isEmpty())
        << devices.join(' ').toStdString();

    const QStringList captions{"Sample remote", "Volume up", "Volume down", "Terminal",
                               "Close window"};
    const ScreenText screen = readWindow(desktop, *window, captions, 3, kReadLimit);
    EXPECT_GE(screen.find(captions).size(), 3) << "OCR read:\n" << screen.text.toStdString();
    // The language of the first start is English here, and so are the menus.
    const QStringList menus{"File", "Tools"};
    const ScreenText menuBar = readWindow(desktop, *window, menus, 2, kReadLimit);
    EXPECT_EQ(menuBar.find(menus), menus) << "OCR read:\n" << menuBar.text.toStdString();
    EXPECT_TRUE(quenda.process().running());
}

// Under a window manager the window is framed; the tree shows the file the
// settings name, not the sample, and no first start happens over existing settings.
TEST(StartUp, ShowsTheCommandFileNamedInTheSettings) {
    Desktop desktop({.windowManager = true});
    rig::TestHome& home = desktop.home();
    files::Command command;
    command.typeAction = "Key control";
    std::vector<files::Command> commands;
    for (const char* name : {"Zebra crossing", "Quartz clock", "Maple syrup", "Violet tango"}) {
        command.name = name;
        commands.push_back(command);
    }
    home.writeSettings(
        {}, home.writeCommandFile(QStringLiteral("harbour.pci"), "Harbour lights", commands));

    Quenda quenda(home, desktop.environment());
    const auto window = quenda.waitForMainWindow(desktop.x());
    ASSERT_TRUE(window) << quenda.process().standardError().toStdString();

    const QStringList captions{"Harbour lights", "Zebra crossing", "Quartz clock", "Maple syrup",
                               "Violet tango"};
    const ScreenText screen = readWindow(desktop, *window, captions, 3, kReadLimit);
    EXPECT_GE(screen.find(captions).size(), 3) << "OCR read:\n" << screen.text.toStdString();
    const QStringList strangers = screen.find({"Sample remote", "Volume up", "Terminal"});
    EXPECT_TRUE(strangers.isEmpty()) << strangers.join(", ").toStdString() << " in:\n"
                                     << screen.text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(programFile(home, "sample.pci")));
}

TEST(SingleInstance, SecondCopyExitsAtOnceWithoutAWindow) {
    Desktop desktop;
    Quenda first(desktop.home(), desktop.environment());
    const auto window = first.waitForMainWindow(desktop.x());
    ASSERT_TRUE(window) << first.process().standardError().toStdString();

    desktop.x().watchWindowCreation();
    Quenda second(desktop.home(), desktop.environment());
    const std::optional<int> exitCode = second.process().waitForExit(2s);
    ASSERT_TRUE(exitCode) << "the second copy still runs after 2 s";
    EXPECT_EQ(*exitCode, 0);
    EXPECT_TRUE(second.process().standardError().isEmpty())
        << second.process().standardError().toStdString();
    // Not even a hidden window was created on the screen while it ran.
    EXPECT_EQ(desktop.x().windowsCreatedSinceWatch(), 0);

    EXPECT_TRUE(first.process().running());
    const auto shown = desktop.x().topLevelsTitled(Quenda::kTitle, true);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].id, window->id);
}

// The tray icon is an XEmbed client: the tray host reparents it into its own panel.
// So the honest check is in the window tree: a window of the program, mapped and
// sized, sits inside trayer's window, and the screenshot of that spot shows a
// painted picture rather than an empty socket of one colour. Meanwhile no top-level
// window of the program is viewable.
TEST(Tray, LoadMinimizedShowsOnlyTheTrayIcon) {
    Desktop desktop({.trayHost = true});
    rig::TestHome& home = desktop.home();
    files::Settings settings;
    settings.loadMinimized = "yes";
    home.writeSettings(settings, QString());

    Quenda quenda(home, desktop.environment());
    std::vector<rig::XWindowInfo> icons;
    rig::waitUntil(
        [&] {
            icons = desktop.x().dockedTrayIcons(QStringLiteral("quenda"));
            return !icons.empty() || !quenda.process().running();
        },
        Quenda::kStartLimit);
    ASSERT_EQ(icons.size(), 1u) << quenda.process().standardError().toStdString();
    EXPECT_TRUE(quenda.process().standardError().isEmpty())
        << quenda.process().standardError().toStdString();

    // Give a wrongly shown window the time to appear before looking for it.
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(desktop.x().topLevelsTitled(Quenda::kTitle, true).empty());
    EXPECT_TRUE(quenda.process().running());

    const QString shot = desktop.screenshot(QStringLiteral("tray"));
    EXPECT_GE(rig::distinctColours(desktop.environment(), shot, icons[0].rect), 4)
        << "the docked icon at " << icons[0].rect.x() << "," << icons[0].rect.y()
        << " is not painted";
}

// Started into the tray (with the session, say) after its command file was moved: the
// missing file is said in a box, and once it is answered the program goes on into the
// tray, where it tells also that key and mouse commands do nothing here.
TEST(Tray, AMissingCommandFileIsSaidAndTheIconStillComes) {
    Desktop desktop({.trayHost = true,
                     .serverArguments = {QStringLiteral("-extension"), QStringLiteral("XTEST")}});
    rig::TestHome& home = desktop.home();
    files::Settings settings;
    settings.loadMinimized = "yes";
    home.writeSettings(settings, home.work(QStringLiteral("moved.pci")));

    Quenda quenda(home, desktop.environment());
    const rig::User user(desktop.environment(), home.workDir());
    const QString box = user.waitWindow(QStringLiteral("^Quenda$"), Quenda::kStartLimit);
    ASSERT_FALSE(box.isEmpty()) << quenda.process().standardError().toStdString();
    rig::settle(500ms);  // a start-up step run under the box would end the program now
    ASSERT_TRUE(quenda.process().running()) << quenda.process().standardError().toStdString();
    EXPECT_TRUE(quenda.process().standardError().contains("moved.pci"));

    // Without XTEST nothing can be typed: the box is closed as a close button does.
    desktop.x().requestClose(box.toULongLong());
    EXPECT_TRUE(user.waitWindowGone(QStringLiteral("^Quenda$")));
    EXPECT_TRUE(rig::waitUntil(
        [&] { return !desktop.x().dockedTrayIcons(QStringLiteral("quenda")).empty(); }, 10s));
    EXPECT_TRUE(rig::waitUntil(
        [&] { return quenda.process().standardError().contains("no XTEST extension"); }, 5s));
    EXPECT_TRUE(quenda.process().running()) << quenda.process().standardError().toStdString();
}

TEST(CommandLine, HelpAndVersionPrintAndExitWithoutADisplay) {
    rig::TestHome home;
    const rig::Environment env = home.environment();
    ASSERT_FALSE(env.contains(QStringLiteral("DISPLAY")));

    const rig::CommandResult help = rig::runCommand({Quenda::binary(), "--help"}, env, 10s);
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith("Usage: quenda")) << help.out.toStdString();
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();

    const rig::CommandResult version = rig::runCommand({Quenda::binary(), "--version"}, env, 10s);
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, QByteArray("quenda " QUENDA_VERSION "\n"));

    // Printing help is not a first start.
    EXPECT_FALSE(QFileInfo::exists(home.programFolder()));
}

TEST(CommandLine, UnknownArgumentIsRefusedWithTheUsage) {
    rig::TestHome home;
    for (const QStringList& args :
         {QStringList{"--bogus"}, QStringList{"extra.pci"}, QStringList{"--help", "--version"}}) {
        const rig::CommandResult r =
            rig::runCommand(QStringList{Quenda::binary()} + args, home.environment(), 10s);
        EXPECT_NE(r.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_NE(r.exitCode, 124) << "timed out: " << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("Usage: quenda")) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(home.programFolder()));
}
