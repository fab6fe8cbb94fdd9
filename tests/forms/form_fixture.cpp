#include "tests/forms/form_fixture.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItem>

#include "editor/command_tree.h"
#include "editor/property_panel.h"
#include "support/rig/files.h"

namespace Remote {

QList<Command> commands() {
    QList<Command> list(kCount);
    Command& browser = list[kBrowser - 1];
    browser.name = QStringLiteral("Браузер");
    browser.code = QStringLiteral("A1 B2 C3");
    browser.typeAction = QStringLiteral("Run command");
    browser.runAction = QStringLiteral("Open");
    browser.file = QStringLiteral("/usr/bin/browser");

    Command& pause = list[kPause - 1];
    pause.name = QStringLiteral("Пауза");
    pause.typeAction = QStringLiteral("Run command");
    pause.runAction = QStringLiteral("Pause:");
    pause.pause = QStringLiteral("1500");

    Command& combination = list[kCombination - 1];
    combination.name = QStringLiteral("Комбинация");
    combination.typeAction = QStringLiteral("Combination command");
    combination.commandCombination = QStringLiteral("1.Play 2.Stop 3.Next track with a long title");

    Command& mouse = list[kMouse - 1];
    mouse.name = QStringLiteral("Мышь");
    mouse.typeAction = QStringLiteral("Mouse control");
    mouse.runAction = QStringLiteral("Mouse on position:");
    mouse.mousePosX = QStringLiteral("100");
    mouse.mousePosY = QStringLiteral("200");

    Command& keys = list[kKeys - 1];
    keys.name = QStringLiteral("Клавиши");
    keys.typeAction = QStringLiteral("Key control");
    keys.windowHandle = QStringLiteral("Editor");
    keys.keyAdd = QStringLiteral("Ctrl+");
    keys.keyAdd1 = QStringLiteral("Alt+");
    keys.key = QStringLiteral("Delete");
    keys.pause = QStringLiteral("250");
    keys.fileSound = QStringLiteral("/tmp/beep.wav");

    list[kEmpty - 1].name = QStringLiteral("Пустая");

    Command& noAction = list[kNoAction - 1];
    noAction.name = QStringLiteral("Без действия");
    noAction.typeAction = QStringLiteral("Run command");

    Command& badPause = list[kBadPause - 1];
    badPause.name = QStringLiteral("Плохая пауза");
    badPause.typeAction = QStringLiteral("Run command");
    badPause.runAction = QStringLiteral("Open");
    badPause.file = QStringLiteral("/bin/true");
    badPause.pause = QStringLiteral("abc");
    return list;
}

}  // namespace Remote

namespace {

void writeLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write("\xEF\xBB\xBF");
    for (const QString& line : lines) {
        file.write(line.toUtf8() + "\r\n");
    }
}

}  // namespace

QString FormTest::path(const QString& fileName) const {
    return dir.filePath(fileName);
}

// In the rig's record layout, as UTF-8 with the mark: the names are Cyrillic.
void FormTest::writeCommandFile(const QString& fileName, const QString& header,
                                const QList<Command>& commands) const {
    std::vector<files::Command> records;
    for (const Command& c : commands) {
        records.push_back({c.name.toUtf8(), c.code.toUtf8(), c.typeAction.toUtf8(),
                           c.commandCombination.toUtf8(), c.file.toUtf8(), c.windowHandle.toUtf8(),
                           c.runAction.toUtf8(), c.keyAdd.toUtf8(), c.keyAdd1.toUtf8(),
                           c.key.toUtf8(), c.mousePosX.toUtf8(), c.mousePosY.toUtf8(),
                           c.pause.toUtf8(), c.fileSound.toUtf8()});
    }
    rig::writeFile(path(fileName), "\xEF\xBB\xBF" + files::commandFile(header.toUtf8(), records));
}

void FormTest::writeSettings(const QString& loadFile, const QString& loadMinimized, int treeWidth,
                             int windowWidth) const {
    writeLines(path(QStringLiteral("QUENDA.ini")),
               {QString(),
                QStringLiteral("Left: 111"),
                QStringLiteral("Top: 115"),
                QStringLiteral("LeftPanelW: %1").arg(treeWidth),
                QStringLiteral("LeftPanelH: 377"),
                QStringLiteral("RightPanelW: %1").arg(windowWidth),
                QStringLiteral("RightPanelH: 442"),
                QString(),
                QStringLiteral("Launch with Windows: no"),
                QStringLiteral("Load minized on tray: ") + loadMinimized,
                QStringLiteral("Load file: ") + loadFile,
                QStringLiteral("Language: Russian"),
                QString(),
                QStringLiteral("Com Number: COM 1"),
                QStringLiteral("Com Baud: 9600"),
                QStringLiteral("Com Data Bits: 8"),
                QStringLiteral("Com Stop Bits: 1"),
                QStringLiteral("Com Device: ") + pty.devicePath(),
                QString(),
                QStringLiteral("Pause command: 120")});
}

QByteArray FormTest::readBytes(const QString& fileName) const {
    QFile file(path(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

void FormTest::start() {
    ASSERT_TRUE(dir.isValid());
    state.programFolder = dir.path() + QLatin1Char('/');
    form = std::make_unique<TForm1>(state, platform, errors, prompts);
}

void FormTest::startWithRemote() {
    writeCommandFile(QStringLiteral("remote.pci"), Remote::kHeader, Remote::commands());
    writeSettings(path(QStringLiteral("remote.pci")));
    start();
    showWindow();
}

void FormTest::showWindow() {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    // Let the one-shot start-up step run, as it does right after the loop starts.
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return !widget<IntervalTimer>(*form, "Timer2")->enabled(); }, 2000));
}

QTreeWidgetItem* FormTest::node(int index) const {
    return tree()->nodeAt(index);
}

void FormTest::clickNode(int index) {
    QTreeWidgetItem* item = node(index);
    ASSERT_NE(item, nullptr) << "no node " << index;
    tree()->scrollToItem(item);
    const QRect place = tree()->visualItemRect(item);
    ASSERT_TRUE(place.isValid());
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, place.center());
}

void FormTest::openServiceMenu() {
    QMenuBar* bar = form->menuBar();
    const QRect place = bar->actionGeometry(widget<QMenu>(*form, "Nser")->menuAction());
    ASSERT_TRUE(place.isValid());
    QTest::mouseClick(bar, Qt::LeftButton, {}, place.center());
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return widget<QMenu>(*form, "Nser")->isVisible(); }, 2000));
    widget<QMenu>(*form, "Nser")->close();
    QTest::qWait(1);
}

QString FormTest::contextMenuOnNode(int index) {
    QTreeWidgetItem* item = node(index);
    if (!item) {
        ADD_FAILURE() << "no node " << index;
        return {};
    }
    QWidget* viewport = tree()->viewport();
    const QPoint at = tree()->visualItemRect(item).center();
    QTest::mousePress(viewport, Qt::RightButton, {}, at);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, at);

    QString seen;
    QMenu* menu = widget<QMenu>(*form, "PopupMenu1");
    // The menu runs its own loop; read the items once it shows, then close it.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, menu, [&] {
        if (!menu->isVisible()) {
            return;
        }
        for (QAction* action : {widget<QAction>(*form, "N2"), widget<QAction>(*form, "N3"),
                                widget<QAction>(*form, "N1"), widget<QAction>(*form, "N8"),
                                widget<QAction>(*form, "N9")}) {
            seen += action->objectName() + (action->isEnabled() ? "+ " : "- ");
        }
        menu->close();
    });
    poll.start(5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &event);
    return seen.trimmed();
}

QStringList FormTest::memoLines() const {
    return widget<QPlainTextEdit>(*panel(), "Memo1")->toPlainText().split(QLatin1Char('\n'));
}
