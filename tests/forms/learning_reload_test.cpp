// The learning dialog stays tied to the command it was opened for, even when a
// received code loads another command file while it is open.
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "editor/command_runner.h"
#include "editor/command_tree.h"
#include "reception/tutoring_dialog.h"
#include "support/find_widget.h"
#include "tests/forms/form_fixture.h"

class LearningAndReload : public FormTest {};

TEST_F(LearningAndReload, AnotherCommandFileClosesTheDialogAndNothingIsLearnedIntoIt) {
    Command first, second;
    first.name = QStringLiteral("Other's first");
    second.name = QStringLiteral("Other's second");
    second.code = QStringLiteral(" 55");
    writeCommandFile(QStringLiteral("other.pci"), QStringLiteral("Other"), {first, second});
    Command switcher;
    switcher.name = QStringLiteral("Switch");
    switcher.code = QStringLiteral(" 4B");  // the byte 'K'
    switcher.typeAction = QStringLiteral("Run command");
    switcher.runAction = QStringLiteral("Open");
    switcher.file = path(QStringLiteral("other.pci"));
    Command learner;
    learner.name = QStringLiteral("Learn me");
    writeCommandFile(QStringLiteral("remote.pci"), QStringLiteral("Remote"), {switcher, learner});
    writeSettings(path(QStringLiteral("remote.pci")));
    start();
    showWindow();

    TtutoringF* dialog = form->runner()->tutoringF();
    bool closedBySwitch = false;
    QTimer::singleShot(0, dialog, [&] {
        // While the dialog is open and not collecting, codes are matched as usual.
        ASSERT_TRUE(pty.send("K"));
        closedBySwitch = QTest::qWaitFor([&] { return !dialog->isVisible(); }, 3000);
        if (!closedBySwitch) {  // what a user would go on to do in the old dialog
            widget<QPushButton>(*dialog, "Button1")->click();  // "Заново"
            for (int i = 0; i < 5; ++i) {
                dialog->learningStep(QStringLiteral(" 41 42"));
            }
            widget<QPushButton>(*dialog, "Button2")->click();  // "Принять"
        }
    });
    tree()->selectIndex(2);
    form->NtutClick();

    EXPECT_TRUE(closedBySwitch);
    EXPECT_EQ(state.table.caption(0), QStringLiteral("Other"));
    EXPECT_EQ(state.table.slot(2).code, QStringLiteral(" 55"));
    EXPECT_FALSE(state.changed);
    EXPECT_TRUE(state.learningMode.isEmpty());
}
