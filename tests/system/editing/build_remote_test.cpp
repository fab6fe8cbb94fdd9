// The editor through the real program: the user starts with an empty window and
// builds, saves and reloads a command file with the mouse and the keyboard only.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QRect>
#include <QRegularExpression>

#include "core/command_file.h"
#include "x_session.h"

using namespace std::chrono_literals;

namespace {

// Where things are in the main window, from its top-left corner: the layout of
// the program's own windows on this desktop (no frames, the built-in font).
constexpr int kMenuBarY = 8;
constexpr int kServiceMenuX = 75;
constexpr int kTreeRowX = 60;
constexpr int kFirstRowY = 28;  // the header
constexpr int kRowHeight = 18;
// The editing panel starts right of the tree (150 pixels) and the splitter (2),
// under the menu bar; its controls lie where the panel puts them.
const QPoint kPanel2(152, 18);
const QPoint kTypeList(112 + 40, 33 + 10);
const QPoint kActionList(112 + 40, 55 + 10);
const QPoint kFileField(112 + 40, 77 + 10);
const QPoint kXField(318 + 15, 55 + 10);
const QPoint kYField(362 + 15, 55 + 10);
// The window row's drop-down button: the list is W - 124 wide for a panel W = 502.
const QPoint kWindowListButton(112 + 378 - 9, 99 + 10);
const QRect kStatusBar(0, 423, 400, 19);

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Drives the main window of one run of the program.
class Editor {
  public:
    Editor(XSession& x, const QString& window) : x_(x), window_(window) {
        origin_ = x.windowOrigin(window);
    }

    QPoint at(QPoint offset) const { return origin_ + offset; }
    QPoint row(int node) const { return at({kTreeRowX, kFirstRowY + node * kRowHeight}); }
    QPoint inPanel(QPoint control) const { return at(kPanel2 + control); }
    void focus() const { x_.focus(window_); }

    void newHeader(const QString& name) {
        focus();
        ASSERT_TRUE(x_.clickToOpen(at({kServiceMenuX, kMenuBarY})));
        x_.keys({"Down", "Down", "Return"});  // "Тест приемника", "Новый заголовок"
        ASSERT_TRUE(x_.answerDialog(QStringLiteral("Новый заголовок"), name));
    }
    // "новая команда" is the first item of the tree's context menu.
    void newCommandFrom(int node, const QString& name) {
        focus();
        ASSERT_TRUE(x_.clickToOpen(row(node), 3));
        x_.keys({"Down", "Return"});
        ASSERT_TRUE(x_.answerDialog(QStringLiteral("Новая команда"), name));
    }
    // Clicks a command, then "настройки" in its context menu.
    void customise(int node) {
        focus();
        x_.click(row(node));
        ASSERT_TRUE(x_.clickToOpen(row(node), 3));
        x_.keys({"Down", "Down", "Down", "Return"});
    }
    // Picks the n-th item of a drop-down list with the arrow keys.
    void pickInList(QPoint list, int position) {
        x_.click(inPanel(list));
        QStringList downs;
        for (int i = 0; i <= position; ++i) {
            downs << QStringLiteral("Down");
        }
        x_.keys(downs);
    }
    void typeInto(QPoint field, const QString& text) {
        x_.click(inPanel(field));
        x_.type(text);
    }
    // Opens the window row's list and picks the first entry starting with the
    // letter `prefix` starts with.
    void openWindowList() { ASSERT_TRUE(x_.clickToOpen(inPanel(kWindowListButton))); }
    // The list's search takes keys typed within a moment as one prefix; a loaded
    // machine may space them further, so only the first letter is typed.
    void chooseInOpenList(const QString& prefix) {
        x_.type(prefix.left(1));
        x_.keys({"Return"});
    }
    // A file dialog of the program: the file's path typed into it.
    bool fileDialog(const QString& shortcut, const QString& title, const QString& file) {
        focus();
        x_.keys({shortcut});
        const QString dialog = x_.waitWindow(QStringLiteral("^") + title + QStringLiteral("$"));
        if (dialog.isEmpty()) {
            return false;
        }
        x_.focus(dialog);
        x_.type(file);
        x_.keys({"Return"});
        return x_.waitWindowGone(QStringLiteral("^") + title + QStringLiteral("$"));
    }

  private:
    XSession& x_;
    QString window_;
    QPoint origin_;
};

// A remote of one command, written by the program's own file code and loaded at
// start; the main window's id, "" when none showed.
QString startWithOneCommand(XSession& x, const QString& file, const QString& command) {
    CommandTable table;
    table.setHeader(QStringLiteral("Remote"));
    table.slot(table.addCommand(command)).name = command;
    EXPECT_TRUE(CommandFile::saveToFile(file, table).ok);
    x.writeSettings(file);
    return x.startQuenda();
}

QStringList captionsOf(const CommandTable& table) {
    QStringList captions;
    for (int node = 0; node < table.nodeCount(); ++node) {
        captions << table.caption(node);
    }
    return captions;
}

}  // namespace

TEST(BuildRemote, FromAnEmptyWindowToASavedFileThatLoadsAgain) {
    XSession x;
    x.writeSettings();
    const QString window = x.startQuenda();
    ASSERT_FALSE(window.isEmpty());
    Editor editor(x, window);

    editor.newHeader(QStringLiteral("My remote"));
    editor.newCommandFrom(0, QStringLiteral("Start viewer"));
    // With a command present the header's menu no longer adds one: click the command.
    editor.focus();
    x.click(editor.row(1));
    editor.newCommandFrom(1, QStringLiteral("Twice"));

    // "Start viewer": Run command / Open with a program path.
    editor.customise(1);
    editor.pickInList(kTypeList, 0);
    editor.pickInList(kActionList, 0);
    editor.typeInto(kFileField, QStringLiteral("/usr/bin/xmessage"));

    // "Twice": a combination of it, built by picking from the window row.
    editor.customise(2);
    editor.pickInList(kTypeList, 1);
    editor.openWindowList();
    editor.chooseInOpenList(QStringLiteral("Start"));
    editor.openWindowList();
    rig::keepScreenshot(x.screenshot(QStringLiteral("combination")),
                        QStringLiteral("combination-being-built.png"));
    editor.chooseInOpenList(QStringLiteral("Start"));

    const QString saved = x.path(QStringLiteral("remote"));
    ASSERT_TRUE(
        editor.fileDialog(QStringLiteral("ctrl+shift+s"), QStringLiteral("Save As"), saved));
    const QString file = saved + QStringLiteral(".pci");
    ASSERT_TRUE(QFileInfo::exists(file));
    // Everything is saved: the program closes without asking.
    ASSERT_TRUE(x.quitQuenda());

    CommandTable table;
    ASSERT_TRUE(CommandFile::loadFromFile(file, table).ok);
    EXPECT_EQ(captionsOf(table), (QStringList{"My remote", "Start viewer", "Twice"}));
    EXPECT_EQ(table.slot(1).name, QStringLiteral("Start viewer"));
    EXPECT_EQ(table.slot(1).typeAction, QStringLiteral("Run command"));
    EXPECT_EQ(table.slot(1).runAction, QStringLiteral("Open"));
    EXPECT_EQ(table.slot(1).file, QStringLiteral("/usr/bin/xmessage"));
    EXPECT_EQ(table.slot(2).typeAction, QStringLiteral("Combination command"));
    EXPECT_EQ(table.slot(2).commandCombination, QStringLiteral("1.Start viewer 2.Start viewer"));

    // A new run of the program opens the file and holds the same commands: saved
    // again, it gives the same bytes.
    const QString again = x.startQuenda();
    ASSERT_FALSE(again.isEmpty());
    Editor second(x, again);
    ASSERT_TRUE(second.fileDialog(QStringLiteral("ctrl+o"), QStringLiteral("Open"), file));
    const QString resaved = x.path(QStringLiteral("again"));
    ASSERT_TRUE(
        second.fileDialog(QStringLiteral("ctrl+shift+s"), QStringLiteral("Save As"), resaved));
    EXPECT_EQ(bytesOf(resaved + QStringLiteral(".pci")), bytesOf(file));
    second.customise(2);
    rig::keepScreenshot(x.screenshot(QStringLiteral("reloaded")), QStringLiteral("reloaded.png"));
    EXPECT_TRUE(x.quitQuenda());
}

TEST(BuildRemote, WindowRowListsTheDesktopsWindows) {
    XSession x;
    // A witness client with a window of its own on the desktop.
    x.startWitness({QStringLiteral("Witness window")},
                   {QStringLiteral("--geometry"), QStringLiteral("200x100+900+600")});
    ASSERT_FALSE(x.waitWindow(QStringLiteral("^Witness window$"), 30s).isEmpty());
    const QString file = x.path(QStringLiteral("witness.pci"));
    const QString window = startWithOneCommand(x, file, QStringLiteral("Close it"));
    ASSERT_FALSE(window.isEmpty());
    Editor editor(x, window);

    editor.customise(1);
    editor.pickInList(kTypeList, 0);
    editor.pickInList(kActionList, 1);  // "Закрыть"
    editor.openWindowList();
    editor.chooseInOpenList(QStringLiteral("Witness"));
    editor.focus();
    x.keys({QStringLiteral("ctrl+s")});
    ASSERT_TRUE(x.quitQuenda());

    CommandTable reread;
    ASSERT_TRUE(CommandFile::loadFromFile(file, reread).ok);
    EXPECT_EQ(reread.slot(1).runAction, QStringLiteral("Close"));
    EXPECT_EQ(reread.slot(1).windowHandle, QStringLiteral("Witness window"));
}

TEST(BuildRemote, MousePositionShowsTheReadoutInTheStatusBar) {
    XSession x;
    const QString file = x.path(QStringLiteral("pointer.pci"));
    const QString window = startWithOneCommand(x, file, QStringLiteral("Pointer"));
    ASSERT_FALSE(window.isEmpty());
    Editor editor(x, window);

    editor.customise(1);
    editor.pickInList(kTypeList, 3);    // "Управление мышью"
    editor.pickInList(kActionList, 8);  // "Мышь на позицию:"
    editor.typeInto(kXField, QStringLiteral("600"));
    editor.typeInto(kYField, QStringLiteral("480"));
    // The pointer where the user wants it: the status bar tells its position.
    x.xdo({QStringLiteral("mousemove"), QStringLiteral("600"), QStringLiteral("480")});
    rig::settle(300ms);
    rig::keepScreenshot(x.screenshot(QStringLiteral("mouse-position")),
                        QStringLiteral("mouse-position.png"));
    const QString readout = x.readScreen(QRect(editor.at(kStatusBar.topLeft()), kStatusBar.size()));
    // OCR of small type may take a letter for another; the numbers must be there.
    EXPECT_TRUE(readout.contains(QRegularExpression(QStringLiteral("=\\s*600\\D+=\\s*480"))))
        << readout.toStdString();
    // The window's title follows the readout.
    EXPECT_FALSE(x.waitWindow(QStringLiteral("^X = 600; Y = 480$"), 2s).isEmpty());

    editor.focus();
    x.keys({QStringLiteral("ctrl+s")});
    ASSERT_TRUE(x.quitQuenda());
    CommandTable reread;
    ASSERT_TRUE(CommandFile::loadFromFile(file, reread).ok);
    EXPECT_EQ(reread.slot(1).typeAction, QStringLiteral("Mouse control"));
    EXPECT_EQ(reread.slot(1).runAction, QStringLiteral("Mouse on position:"));
    EXPECT_EQ(reread.slot(1).mousePosX, QStringLiteral("600"));
    EXPECT_EQ(reread.slot(1).mousePosY, QStringLiteral("480"));
}
