// The settings dialog in the running program: switching the language renames the
// main window's menus at once; the four pages are photographed in English.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRect>

#include "x_session.h"

namespace {

// Where things are, from the windows' top-left corners (no frames, built-in font).
constexpr int kMenuBarY = 8;
const QRect kMenuBar(0, 0, 220, 20);
// The language list on the first page: the page area starts under the tab bar.
const QPoint kLanguageList(8 + 6 + 186 + 40, 8 + 25 + 6 + 152 + 10);
const QSize kDialog(362, 288);
// The tabs of the four pages with their English captions.
const QPoint kTabs[] = {{42, 20}, {118, 20}, {203, 20}, {276, 20}};

QString screenshotPath(const QString& name) {
    QDir().mkpath(QStringLiteral(QUENDA_SCREENSHOT_DIR));
    return QStringLiteral(QUENDA_SCREENSHOT_DIR "/") + name;
}

bool cropTo(const QString& shot, const QRect& area, const QString& target) {
    QProcess convert;
    convert.start(QStringLiteral("/usr/bin/convert"), {shot, QStringLiteral("-crop"),
                                                       QStringLiteral("%1x%2+%3+%4")
                                                           .arg(area.width())
                                                           .arg(area.height())
                                                           .arg(area.x())
                                                           .arg(area.y()),
                                                       QStringLiteral("+repage"), target});
    return convert.waitForFinished(20000) && convert.exitCode() == 0;
}

TEST(SettingsDialog, ChosenLanguageRenamesTheMenusAtOnce) {
    XSession x;
    ASSERT_TRUE(x.ok());
    ASSERT_TRUE(x.writeSettings());  // Russian
    const QString main = x.startQuenda();
    ASSERT_FALSE(main.isEmpty());
    const QPoint origin = x.windowOrigin(main);

    // "Файл" > "Параметры ...": the fourth item.
    x.click(origin + QPoint(15, kMenuBarY));
    x.keys({"Down", "Down", "Down", "Down", "Return"});
    const QString dialog = x.waitWindow(QStringLiteral("^Параметры$"));
    ASSERT_FALSE(dialog.isEmpty());
    const QPoint at = x.windowOrigin(dialog);
    x.click(at + kLanguageList);
    x.keys({"ctrl+a"});
    x.type(QStringLiteral("English"));
    x.keys({"Tab"});  // leaving the list applies the name typed
    ASSERT_FALSE(x.waitWindow(QStringLiteral("^Settings$")).isEmpty())
        << "the dialog's caption did not change";

    // Every page in English, for the README.
    const QStringList pages{"general", "serial-port", "recognition", "other"};
    for (int page = 0; page < pages.size(); ++page) {
        x.click(at + kTabs[page]);
        const QString shot = x.path(QStringLiteral("screen.png"));
        ASSERT_TRUE(x.screenshot(shot));
        EXPECT_TRUE(cropTo(shot, QRect(at, kDialog),
                           screenshotPath(QStringLiteral("settings-%1.png").arg(pages[page]))));
    }

    // The menus of the main window changed while the dialog is still open.
    const QString menus = x.readScreen(kMenuBar.translated(origin));
    EXPECT_TRUE(menus.contains(QStringLiteral("File"))) << menus.toStdString();
    EXPECT_TRUE(menus.contains(QStringLiteral("Tools"))) << menus.toStdString();

    x.focus(dialog);
    x.keys({"Escape"});  // the close box's way: the port opens again, the texts stay
    EXPECT_TRUE(x.waitWindowGone(QStringLiteral("^Settings$")));
    const QString after = x.readScreen(kMenuBar.translated(origin));
    EXPECT_TRUE(after.contains(QStringLiteral("File"))) << after.toStdString();
    EXPECT_TRUE(x.quitQuenda());
}

}  // namespace
