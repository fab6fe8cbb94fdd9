#include <gtest/gtest.h>

#include <QFrame>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "reception/tutoring_dialog.h"
#include "support/find_widget.h"

namespace {

class TutoringTest : public ::testing::Test {
  protected:
    AppState state;
    QWidget mainWindow;
    TtutoringF dialog{state};
    QPushButton* restart = widget<QPushButton>(dialog, "Button1");  // "Заново"
    QPushButton* accept = widget<QPushButton>(dialog, "Button2");   // "Принять"
    QPushButton* erase = widget<QPushButton>(dialog, "Button3");    // "Удалить"

    void SetUp() override {
        state.table.setHeader("Remote");
        state.table.slot(state.table.addCommand("Play")).code = " old";
    }
    // How many panels are green; -1 when a panel is neither red nor green or the
    // green ones do not form a row from the left.
    int green() const {
        int n = 0;
        for (int i = 0; i < 5; ++i) {
            const QByteArray name = "L" + QByteArray::number(i + 1);
            const QColor c =
                widget<QFrame>(dialog, name.constData())->palette().color(QPalette::Window);
            if (c == QColor(0, 255, 0) && n == i) {
                ++n;
            } else if (c != QColor(255, 0, 0)) {
                return -1;
            }
        }
        return n;
    }
    // Opens the dialog modally for slot 1 and runs the steps inside its event loop.
    int runModal(const std::function<void()>& steps) {
        QTimer::singleShot(0, &dialog, [&] {
            steps();
            dialog.close();  // the close box, if the steps left it open
        });
        mainWindow.setGeometry(100, 50, 654, 442);
        mainWindow.show();  // framed: 2 pixels a side offscreen
        return dialog.NtutClick(mainWindow, 1);
    }
    std::vector<int> teach(const QStringList& codes) {
        std::vector<int> counts;
        for (const QString& code : codes) {
            dialog.learningStep(code);
            counts.push_back(green());
        }
        return counts;
    }
    void expectClosedState() {
        EXPECT_EQ(green(), 0);
        EXPECT_FALSE(accept->isEnabled() || erase->isEnabled());
        EXPECT_TRUE(state.learningMode.isEmpty() && state.learnedCode.isEmpty());
    }
};

}  // namespace

TEST_F(TutoringTest, AcceptAfterAReferenceAndFourEqualCodes) {
    expectClosedState();
    const int result = runModal([&] {
        // Whole windows: 658 - 309 = 349 halves to 174; 446 - 124 = 322 halves to
        // 161, plus 20; from the main window's frame at (98, 48).
        EXPECT_EQ(dialog.frameGeometry().topLeft(), QPoint(98 + 174, 48 + 161 + 20));
        restart->click();
        EXPECT_EQ(state.learningMode, "y");
        EXPECT_TRUE(erase->isEnabled());
        EXPECT_EQ(teach({"A", "A", "B", "A", "A"}), (std::vector<int>{1, 2, 2, 3, 4}));
        QTest::mouseClick(accept, Qt::LeftButton);  // four are not enough
        ASSERT_TRUE(dialog.isVisible());
        EXPECT_EQ(teach({"A", "A"}), (std::vector<int>{5, 5}));
        QTest::mouseClick(accept, Qt::LeftButton);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(state.table.slot(1).code, "A");
    EXPECT_TRUE(state.changed);
    expectClosedState();
}

TEST_F(TutoringTest, RestartTakesANewReferenceAndTheCloseBoxStoresNothing) {
    const int result = runModal([&] {
        restart->click();
        teach({"A", "A", "A"});
        restart->click();
        EXPECT_EQ(green(), 0);
        EXPECT_EQ(teach({"B", "A", "B", "B", "B", "B"}), (std::vector<int>{1, 1, 2, 3, 4, 5}));
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(state.table.slot(1).code, " old");
    EXPECT_FALSE(state.changed);
    expectClosedState();
}

TEST_F(TutoringTest, DeleteErasesTheCodeOnceRestartWasPressed) {
    const int result = runModal([&] {
        QTest::mouseClick(erase, Qt::LeftButton);  // disabled before "Заново"
        ASSERT_TRUE(dialog.isVisible());
        restart->click();
        QTest::mouseClick(erase, Qt::LeftButton);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(state.table.slot(1).code, QString());
    EXPECT_TRUE(state.changed);
    expectClosedState();
}
