// The settings dialog in the running program: switching the language renames the
// main window's menus at once; the four pages are photographed in English.
#include <gtest/gtest.h>

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

TEST(SettingsDialog, ChosenLanguageRenamesTheMenusAtOnce) {
    XSession x;
    x.writeSettings();  // Russian
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
        const QString shot = x.screenshot(QStringLiteral("settings-") + pages[page]);
        EXPECT_TRUE(rig::keepScreenshot(shot, QStringLiteral("settings-%1.png").arg(pages[page]),
                                        QRect(at, kDialog)));
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
