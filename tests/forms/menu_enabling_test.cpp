// Which menu items are enabled as the user opens "Service", clicks commands and
// the header, and right-clicks nodes.
#include <QAction>
#include <QMenu>
#include <QTest>

#include "editor/command_tree.h"
#include "tests/forms/form_fixture.h"

class MenuItems : public FormTest {
  protected:
    // The selection-dependent items, '+' enabled, '-' disabled, in the order
    // Nnpu Nnco Ntut Natt N1 N2 N3.
    QString items() const {
        QString out;
        for (const QAction* a : {widget<QAction>(*form, "Nnpu"), widget<QAction>(*form, "Nnco"),
                                 widget<QAction>(*form, "Ntut"), widget<QAction>(*form, "Natt"),
                                 widget<QAction>(*form, "N1"), widget<QAction>(*form, "N2"),
                                 widget<QAction>(*form, "N3")}) {
            out += a->isEnabled() ? QLatin1Char('+') : QLatin1Char('-');
        }
        return out;
    }
    void expectRenameAndDeleteEnabled() const {
        EXPECT_TRUE(widget<QAction>(*form, "N8")->isEnabled());
        EXPECT_TRUE(widget<QAction>(*form, "N9")->isEnabled());
    }
};

TEST_F(MenuItems, AtStartOnlyNewHeaderIsEnabled) {
    startWithRemote();
    EXPECT_EQ(items(), QStringLiteral("+------"));
    expectRenameAndDeleteEnabled();
    // The items that do not depend on the selection.
    for (const QAction* a : {widget<QAction>(*form, "Nopen"), widget<QAction>(*form, "Nsave"),
                             widget<QAction>(*form, "NsaveAs"), widget<QAction>(*form, "NParam"),
                             widget<QAction>(*form, "NRun"), widget<QAction>(*form, "Nexit"),
                             widget<QAction>(*form, "NTestIR"), widget<QAction>(*form, "Nabout")}) {
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    }
}

TEST_F(MenuItems, OpeningServiceEnablesNewHeaderOnlyForAnEmptyTree) {
    writeSettings(QString());
    start();
    showWindow();
    openServiceMenu();
    EXPECT_EQ(items(), QStringLiteral("+------"));

    writeCommandFile("remote.pci", Remote::kHeader, Remote::commands());
    prompts.openName = path("remote.pci");
    widget<QAction>(*form, "Nopen")->trigger();
    ASSERT_EQ(tree()->nodeCount(), 1 + Remote::kCount);
    EXPECT_EQ(items(), QStringLiteral("+------")) << "a load alone changes no item";
    openServiceMenu();
    EXPECT_EQ(items(), QStringLiteral("-------"));
    expectRenameAndDeleteEnabled();
}

TEST_F(MenuItems, ClickingACommandEnablesTheCommandItemsAndTheHeaderDisablesThem) {
    startWithRemote();
    clickNode(Remote::kBrowser);
    // "New header" keeps its state: only opening "Service" decides it.
    EXPECT_EQ(items(), QStringLiteral("+++++++"));
    openServiceMenu();
    EXPECT_EQ(items(), QStringLiteral("-++++++"));

    clickNode(0);
    EXPECT_EQ(items(), QStringLiteral("-------"));
    expectRenameAndDeleteEnabled();

    clickNode(Remote::kEmpty);
    EXPECT_EQ(items(), QStringLiteral("-++++++"));

    // A command whose summary fails still counts as shown.
    clickNode(Remote::kBadPause);
    EXPECT_EQ(items(), QStringLiteral("-++++++"));
}

TEST_F(MenuItems, WithTheHeaderAloneItsContextMenuOffersNewCommand) {
    writeCommandFile("empty-remote.pci", QStringLiteral("Только заголовок"), {});
    writeSettings(path("empty-remote.pci"));
    start();
    showWindow();
    ASSERT_EQ(tree()->nodeCount(), 1);

    EXPECT_EQ(contextMenuOnNode(0), QStringLiteral("N2+ N3- N1- N8+ N9+"));
    EXPECT_EQ(tree()->selectedIndex(), 0);
    EXPECT_EQ(items(), QStringLiteral("-----+-"));

    clickNode(0);
    EXPECT_EQ(items(), QStringLiteral("-----+-"));
}

TEST_F(MenuItems, TheContextMenuSelectsTheNodeUnderTheMouseBeforeItOpens) {
    startWithRemote();
    EXPECT_EQ(contextMenuOnNode(Remote::kMouse), QStringLiteral("N2+ N3+ N1+ N8+ N9+"));
    EXPECT_EQ(tree()->selectedIndex(), Remote::kMouse);
    EXPECT_EQ(form->statusText(), QStringLiteral(" Мышь"));
    // The menu's opening showed the command's properties.
    EXPECT_TRUE(memoLines().contains(QStringLiteral(" Тип действия: Управление мышью")));

    // With commands present, the header's context menu offers nothing but rename and delete.
    EXPECT_EQ(contextMenuOnNode(0), QStringLiteral("N2- N3- N1- N8+ N9+"));
    EXPECT_EQ(tree()->selectedIndex(), 0);
}
