// The combination builder on the window row, and the window row's drop-down list.
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "editing_fixture.h"
#include "editor/command_tree.h"

namespace {

QStringList itemsOf(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items;
}

}  // namespace

TEST_F(EditingTest, PickingCommandsBuildsTheCombinationList) {
    startWithABC();
    customise(3);
    pick(widget<QComboBox>(*panel(), "ComboBox1"), QStringLiteral("Комбинация команд"));
    EXPECT_TRUE(widget<QLineEdit>(*panel(), "Edit6")->isVisible());
    pick(widget<TDropDownComboBox>(*panel(), "ComboBox5"), QStringLiteral("A"));
    pick(widget<TDropDownComboBox>(*panel(), "ComboBox5"), QStringLiteral("B"));
    pick(widget<TDropDownComboBox>(*panel(), "ComboBox5"), QStringLiteral("C"));
    EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit6")->text(), QStringLiteral("1.A 2.B 3.C"));
    EXPECT_EQ(state.table.slot(3).commandCombination, QStringLiteral("1.A 2.B 3.C"));
    EXPECT_TRUE(state.table.slot(3).windowHandle.isEmpty());  // a combination stores no window
    // The same command again is one more element.
    pick(widget<TDropDownComboBox>(*panel(), "ComboBox5"), QStringLiteral("C"));
    EXPECT_EQ(state.table.slot(3).commandCombination, QStringLiteral("1.A 2.B 3.C 4.C"));

    // The summary lays the list out one element per line, without adding to it.
    clickNode(3);
    EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit6")->text(), QStringLiteral("1.A 2.B 3.C 4.C"));
    EXPECT_EQ(state.table.slot(3).commandCombination, QStringLiteral("1.A 2.B 3.C 4.C"));
}

TEST_F(EditingTest, BuilderStopsAtThirtyAndNeedsAMarker) {
    startWithABC();
    customise(3);
    pick(widget<QComboBox>(*panel(), "ComboBox1"), QStringLiteral("Комбинация команд"));
    QString thirty;
    for (int k = 1; k <= 30; ++k) {
        thirty += QStringLiteral("%1%2.A").arg(k == 1 ? "" : " ").arg(k);
    }
    widget<QLineEdit>(*panel(), "Edit6")->setText(thirty);  // as if typed by hand: stored
    EXPECT_EQ(state.table.slot(3).commandCombination, thirty);
    pick(widget<TDropDownComboBox>(*panel(), "ComboBox5"), QStringLiteral("B"));
    EXPECT_EQ(state.table.slot(3).commandCombination, thirty);

    // A list edited by hand without markers gets nothing appended.
    widget<QLineEdit>(*panel(), "Edit6")->selectAll();
    QTest::keyClicks(widget<QLineEdit>(*panel(), "Edit6"), QStringLiteral("A then B"));
    pick(widget<TDropDownComboBox>(*panel(), "ComboBox5"), QStringLiteral("C"));
    EXPECT_EQ(state.table.slot(3).commandCombination, QStringLiteral("A then B"));
}

TEST_F(EditingTest, NameHoldingAMarkerShiftsTheNumbering) {
    writeRemote(QStringLiteral("tracks.pci"), QStringLiteral("Player"),
                {command(QStringLiteral("A")), command(QStringLiteral("Track 5.")),
                 command(QStringLiteral("B")), command(QStringLiteral("Mix"))});
    start(path(QStringLiteral("tracks.pci")));
    customise(4);
    pick(widget<QComboBox>(*panel(), "ComboBox1"), QStringLiteral("Комбинация команд"));
    pick(widget<TDropDownComboBox>(*panel(), "ComboBox5"), QStringLiteral("A"));
    pick(widget<TDropDownComboBox>(*panel(), "ComboBox5"), QStringLiteral("Track 5."));
    pick(widget<TDropDownComboBox>(*panel(), "ComboBox5"), QStringLiteral("B"));
    EXPECT_EQ(state.table.slot(4).commandCombination, QStringLiteral("1.A 2.Track 5. 6.B"));
}

TEST_F(EditingTest, WindowRowOffersWindowsOrCommandsWhenItDropsDown) {
    startWithABC();
    platform.captions = {QStringLiteral("Quenda"), QStringLiteral("Editor — notes.txt"),
                         QStringLiteral("Terminal")};
    QSignalSpy refilled(form.get(), &TForm1::windowCaptionsRefilled);
    customise(1);
    pick(widget<QComboBox>(*panel(), "ComboBox1"), QStringLiteral("Выполнение команды"));
    pick(widget<QComboBox>(*panel(), "ComboBox2"), QStringLiteral("Закрыть"));

    widget<TDropDownComboBox>(*panel(), "ComboBox5")->showPopup();
    EXPECT_EQ(itemsOf(widget<TDropDownComboBox>(*panel(), "ComboBox5")), platform.captions);
    EXPECT_EQ(widget<TDropDownComboBox>(*panel(), "ComboBox5")->currentText(),
              QStringLiteral("Quenda"));                      // shown...
    EXPECT_TRUE(state.table.slot(1).windowHandle.isEmpty());  // ...not stored
    ASSERT_EQ(refilled.count(), 1);
    EXPECT_EQ(refilled.at(0).at(0).toStringList(), platform.captions);
    widget<TDropDownComboBox>(*panel(), "ComboBox5")->hidePopup();

    // A window picked for a run action is stored, and also appended to the hidden
    // combination field, which a run command does not store.
    pick(widget<TDropDownComboBox>(*panel(), "ComboBox5"), QStringLiteral("Terminal"));
    EXPECT_EQ(state.table.slot(1).windowHandle, QStringLiteral("Terminal"));
    EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit6")->text(), QStringLiteral("1.Terminal"));
    EXPECT_TRUE(state.table.slot(1).commandCombination.isEmpty());

    // The timer action names a command: the list offers the tree's captions.
    pick(widget<QComboBox>(*panel(), "ComboBox2"), QStringLiteral("Таймер"));
    widget<TDropDownComboBox>(*panel(), "ComboBox5")->showPopup();
    EXPECT_EQ(itemsOf(widget<TDropDownComboBox>(*panel(), "ComboBox5")),
              (QStringList{"A", "B", "C"}));
    EXPECT_TRUE(widget<TDropDownComboBox>(*panel(), "ComboBox5")->currentText().isEmpty());
    widget<TDropDownComboBox>(*panel(), "ComboBox5")->hidePopup();
    EXPECT_EQ(refilled.count(), 3);  // every opening reads the window list all the same

    // So does a combination, whatever its run action.
    pick(widget<QComboBox>(*panel(), "ComboBox2"), QStringLiteral("Активировать"));
    pick(widget<QComboBox>(*panel(), "ComboBox1"), QStringLiteral("Комбинация команд"));
    widget<TDropDownComboBox>(*panel(), "ComboBox5")->showPopup();
    EXPECT_EQ(itemsOf(widget<TDropDownComboBox>(*panel(), "ComboBox5")),
              (QStringList{"A", "B", "C"}));
    widget<TDropDownComboBox>(*panel(), "ComboBox5")->hidePopup();
}
