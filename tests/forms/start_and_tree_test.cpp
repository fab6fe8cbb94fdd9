// Start-up from a program folder, the command tree with its pictures, and what a
// change of the tree's selection does to the status bar and the property pane.
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidgetItem>

#include "editor/command_tree.h"
#include "editor/property_panel.h"
#include "tests/forms/form_fixture.h"

namespace {

QImage pictureOf(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage();
}

QImage treePicture(int n) {
    return pictureOf(QIcon(QStringLiteral(":/quenda/icons/tree%1.png").arg(n)));
}

}  // namespace

class StartAndTree : public FormTest {
  protected:
    // 0 or 1 for the picture a node is drawn with, -1 for neither.
    int pictureOfNode(int index) const {
        const QImage image = pictureOf(node(index)->icon(0));
        if (image == treePicture(0)) {
            return 0;
        }
        return image == treePicture(1) ? 1 : -1;
    }
};

TEST_F(StartAndTree, LoadsTheCommandFileNamedInTheSettings) {
    startWithRemote();
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    EXPECT_EQ(state.commandFilePath, path("remote.pci"));
    ASSERT_EQ(tree()->nodeCount(), 1 + Remote::kCount);
    QTreeWidgetItem* header = node(0);
    EXPECT_EQ(tree()->topLevelItemCount(), 1);
    EXPECT_EQ(header->text(0), Remote::kHeader);
    EXPECT_TRUE(header->isExpanded());
    const QList<Command> commands = Remote::commands();
    for (int k = 1; k <= Remote::kCount; ++k) {
        EXPECT_EQ(node(k)->parent(), header);
        EXPECT_EQ(node(k)->text(0), commands[k - 1].name);
        EXPECT_TRUE(tree()->visualItemRect(node(k)).isValid()) << "node " << k;
    }
    // Blank state: the editing panel, still empty, lies on top until the first click.
    EXPECT_FALSE(widget<QFrame>(*panel(), "Panel2")->isHidden());
    EXPECT_TRUE(widget<QLabel>(*panel(), "Panel5")->isHidden());
    EXPECT_TRUE(widget<QLineEdit>(*panel(), "Edit2")->text().isEmpty());
}

TEST_F(StartAndTree, WithoutACommandFileTheTreeIsEmptyAndTheEditingPanelHidden) {
    writeSettings(QString());
    start();
    showWindow();
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    EXPECT_EQ(tree()->nodeCount(), 0);
    EXPECT_TRUE(widget<QFrame>(*panel(), "Panel2")->isHidden());
    EXPECT_FALSE(widget<QFrame>(*panel(), "Panel4")->isHidden());
}

TEST_F(StartAndTree, AMissingCommandFileIsReportedByNameAndTheTreeStaysEmpty) {
    writeSettings(path("gone.pci"));
    start();
    showWindow();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(path("gone.pci"))) << errors.messages[0].toStdString();
    EXPECT_EQ(tree()->nodeCount(), 0);
    EXPECT_TRUE(widget<QFrame>(*panel(), "Panel2")->isHidden());
    // Start-up went on after the failed load: the recognition interval is set.
    EXPECT_EQ(widget<IntervalTimer>(*form, "Timer1")->interval(), 120);
    EXPECT_TRUE(form->portSettings().has_value());
}

// A port that does not open is named with the system's reason and the place to
// choose another; the settings error is kept for values that do not convert.
TEST_F(StartAndTree, APortThatDoesNotOpenIsNamedWithTheSystemsReason) {
    writeSettings(QString());
    const QString missing = path("no-such-port");
    QByteArray ini = readBytes("QUENDA.ini");
    ini.replace(pty.devicePath().toUtf8(), missing.toUtf8());
    QFile file(path("QUENDA.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(ini);
    file.close();
    start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !errors.messages.isEmpty(); }, 3000));
    ASSERT_EQ(errors.messages.size(), 1);
    const QString message = errors.messages[0];
    EXPECT_TRUE(message.startsWith(missing + QStringLiteral(": No such file or directory")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Параметры ..."))) << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("QUENDA.ini")));
}

TEST_F(StartAndTree, TheSelectedNodeAndTheHeaderAreDrawnWithPictureZero) {
    ASSERT_NE(treePicture(0), treePicture(1)) << "the two tree pictures must differ";
    startWithRemote();
    ASSERT_EQ(tree()->selectedIndex(), 0);
    EXPECT_EQ(pictureOfNode(0), 0);
    for (int k = 1; k <= Remote::kCount; ++k) {
        EXPECT_EQ(pictureOfNode(k), 1) << "node " << k;
    }

    clickNode(Remote::kMouse);
    EXPECT_EQ(tree()->selectedIndex(), Remote::kMouse);
    EXPECT_EQ(pictureOfNode(Remote::kMouse), 0);
    EXPECT_EQ(pictureOfNode(0), 0);

    clickNode(Remote::kKeys);
    EXPECT_EQ(pictureOfNode(Remote::kKeys), 0);
    EXPECT_EQ(pictureOfNode(Remote::kMouse), 1) << "the old selection goes back to picture 1";
}

TEST_F(StartAndTree, TheStatusBarShowsABlankAndTheSelectedCaption) {
    startWithRemote();
    clickNode(Remote::kBrowser);
    EXPECT_EQ(form->statusText(), QStringLiteral(" Браузер"));
    EXPECT_EQ(widget<QLabel>(*form, "StatusBar1")->text(), form->statusText());
    clickNode(0);
    EXPECT_EQ(form->statusText(), QLatin1Char(' ') + Remote::kHeader);
    clickNode(Remote::kNoAction);
    EXPECT_EQ(form->statusText(), QStringLiteral(" Без действия"));
}

TEST_F(StartAndTree, ArrowKeysMoveTheSelectionButLeaveTheSummaryOfTheClickedCommand) {
    startWithRemote();
    TPropertyPanel* pane = panel();

    // From the blank start: the first key press already returns the pane to view mode.
    ASSERT_FALSE(widget<QFrame>(*pane, "Panel2")->isHidden());
    QTest::keyClick(tree(), Qt::Key_Down);
    EXPECT_EQ(tree()->selectedIndex(), Remote::kBrowser);
    EXPECT_EQ(form->statusText(), QStringLiteral(" Браузер"));
    EXPECT_TRUE(widget<QFrame>(*pane, "Panel2")->isHidden());
    EXPECT_FALSE(widget<QLabel>(*pane, "Panel5")->isHidden());

    clickNode(Remote::kBrowser);
    const QString browserSummary = widget<QPlainTextEdit>(*pane, "Memo1")->toPlainText();
    ASSERT_TRUE(browserSummary.contains(QStringLiteral("/usr/bin/browser")));
    widget<QFrame>(*pane, "Panel2")->show();  // as in customisation mode

    QTest::keyClick(tree(), Qt::Key_Down);
    EXPECT_EQ(tree()->selectedIndex(), Remote::kPause);
    EXPECT_EQ(form->statusText(), QStringLiteral(" Пауза"));
    EXPECT_TRUE(widget<QFrame>(*pane, "Panel2")->isHidden());
    EXPECT_FALSE(widget<QLabel>(*pane, "Panel5")->isHidden());
    EXPECT_EQ(widget<QPlainTextEdit>(*pane, "Memo1")->toPlainText(), browserSummary);
    EXPECT_EQ(widget<QLineEdit>(*pane, "Edit2")->text(), QStringLiteral("/usr/bin/browser"));

    QTest::keyClick(tree(), Qt::Key_Up);
    QTest::keyClick(tree(), Qt::Key_Up);
    EXPECT_EQ(tree()->selectedIndex(), 0);
    EXPECT_EQ(form->statusText(), QLatin1Char(' ') + Remote::kHeader);
    EXPECT_EQ(widget<QPlainTextEdit>(*pane, "Memo1")->toPlainText(), browserSummary);
}
