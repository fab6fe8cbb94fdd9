// Customisation mode: the visibility table, the overlays, the change handlers, the
// pause seconds, the pickers, the sound preview and the position readout.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "core/vocabulary.h"
#include "editing_fixture.h"
#include "editor/command_tree.h"

namespace {

// Which of the action row's controls are visible: run, volume, computer, mouse,
// blank list, combination field.
QString actionRow(const TPropertyPanel* p) {
    QString row;
    for (const QWidget* w : std::initializer_list<const QWidget*>{
             widget<QComboBox>(*p, "ComboBox2"), widget<QComboBox>(*p, "ComboBox8"),
             widget<QComboBox>(*p, "ComboBox9"), widget<QComboBox>(*p, "ComboBox10"),
             widget<QComboBox>(*p, "ComboBox11"), widget<QLineEdit>(*p, "Edit6")}) {
        row += w->isVisible() ? QLatin1Char('+') : QLatin1Char('-');
    }
    return row;
}

}  // namespace

TEST_F(EditingTest, CustomisationShowsTheRowOfTheStoredType) {
    writeRemote(
        QStringLiteral("kinds.pci"), QStringLiteral("Remote"),
        {command(QStringLiteral("Volume"), QStringLiteral("Volume control"), QStringLiteral("Up")),
         command(QStringLiteral("Wait"), QStringLiteral("Run command"), QStringLiteral("Pause:")),
         command(QStringLiteral("Point"), QStringLiteral("Mouse control"),
                 QStringLiteral("Mouse on position for windows:")),
         command(QStringLiteral("Odd"), QStringLiteral("Something else"))});
    start(path(QStringLiteral("kinds.pci")));
    customise(1);
    EXPECT_EQ(actionRow(panel()), QStringLiteral("-+----"));
    EXPECT_FALSE(widget<QFrame>(*panel(), "Panel1")->isVisible());
    EXPECT_FALSE(widget<QFrame>(*panel(), "Panel3")->isVisible());
    customise(2);
    EXPECT_EQ(actionRow(panel()), QStringLiteral("+-----"));
    EXPECT_TRUE(widget<QFrame>(*panel(), "Panel3")->isVisible());
    EXPECT_FALSE(widget<QFrame>(*panel(), "Panel1")->isVisible());
    customise(3);
    EXPECT_EQ(actionRow(panel()), QStringLiteral("---+--"));
    EXPECT_TRUE(widget<QFrame>(*panel(), "Panel1")->isVisible());
    EXPECT_FALSE(widget<QFrame>(*panel(), "Panel3")->isVisible());
    EXPECT_FALSE(widget<IntervalTimer>(*form, "TimerMousePos")
                     ->enabled());  // entering does not start the readout
    // A type that is none of the six changes no visibility.
    customise(4);
    EXPECT_EQ(actionRow(panel()), QStringLiteral("---+--"));
    // A selection change returns the pane to view mode.
    clickNode(1);
    EXPECT_FALSE(widget<QFrame>(*panel(), "Panel2")->isVisible());
}

TEST_F(EditingTest, ChoosingATypeStoresItAndAppliesTheVisibilityTable) {
    startWithABC();
    customise(1);
    const QStringList expected{"+-----", "----++", "----++", "---+--", "-+----", "--+---"};
    for (int position = 0; position < 6; ++position) {
        pick(widget<QComboBox>(*panel(), "ComboBox1"), position);
        EXPECT_EQ(state.table.slot(1).typeAction, Vocabulary::actionTypes().values[position]);
        EXPECT_EQ(actionRow(panel()), expected[position]) << position;
    }
    // Key control leaves the combination field as it was: hidden after Run command.
    pick(widget<QComboBox>(*panel(), "ComboBox1"), 0);
    pick(widget<QComboBox>(*panel(), "ComboBox1"), 2);
    EXPECT_EQ(actionRow(panel()), QStringLiteral("----+-"));

    // Typing the exact caption is a choice; a text that names no type stores nothing.
    widget<QComboBox>(*panel(), "ComboBox1")->lineEdit()->clear();
    type(widget<QComboBox>(*panel(), "ComboBox1"), QStringLiteral("Управление мышью"));
    EXPECT_EQ(state.table.slot(1).typeAction, QStringLiteral("Mouse control"));
    type(widget<QComboBox>(*panel(), "ComboBox1"), QStringLiteral("!"));
    EXPECT_EQ(state.table.slot(1).typeAction, QStringLiteral("Mouse control"));
    EXPECT_EQ(actionRow(panel()), QStringLiteral("---+--"));
}

TEST_F(EditingTest, ActionListsStoreByPositionAndMoveTheOverlays) {
    startWithABC();
    customise(1);
    state.table.slot(1).pause = QStringLiteral("2000");
    pick(widget<QComboBox>(*panel(), "ComboBox1"), QStringLiteral("Выполнение команды"));
    pick(widget<QComboBox>(*panel(), "ComboBox2"), QStringLiteral("Пауза:"));
    EXPECT_EQ(state.table.slot(1).runAction, QStringLiteral("Pause:"));
    EXPECT_TRUE(widget<QFrame>(*panel(), "Panel3")->isVisible());
    pick(widget<QComboBox>(*panel(), "ComboBox2"), QStringLiteral("Открыть"));
    EXPECT_EQ(state.table.slot(1).runAction, QStringLiteral("Open"));
    EXPECT_FALSE(widget<QFrame>(*panel(), "Panel3")->isVisible());
    EXPECT_EQ(state.table.slot(1).pause, QStringLiteral("2000"));  // kept

    // Changing the type keeps the run action and leaves the overlays.
    pick(widget<QComboBox>(*panel(), "ComboBox2"), QStringLiteral("Пауза:"));
    pick(widget<QComboBox>(*panel(), "ComboBox1"), QStringLiteral("Управление громкостью"));
    EXPECT_EQ(state.table.slot(1).runAction, QStringLiteral("Pause:"));
    EXPECT_TRUE(widget<QFrame>(*panel(), "Panel3")->isVisible());
    pick(widget<QComboBox>(*panel(), "ComboBox8"), 7);
    EXPECT_EQ(state.table.slot(1).runAction, QStringLiteral("Right channel down"));
    EXPECT_FALSE(widget<QFrame>(*panel(), "Panel3")->isVisible());

    pick(widget<QComboBox>(*panel(), "ComboBox1"), QStringLiteral("Управление компьютером"));
    pick(widget<QComboBox>(*panel(), "ComboBox9"), 1);
    EXPECT_EQ(state.table.slot(1).runAction, QStringLiteral("Reboot"));
    // A typed action that matches no item stores nothing.
    type(widget<QComboBox>(*panel(), "ComboBox9"), QStringLiteral("x"));
    EXPECT_EQ(state.table.slot(1).runAction, QStringLiteral("Reboot"));
}

TEST_F(EditingTest, MousePositionActionsRunTheReadout) {
    startWithABC();
    platform.cursor = QPoint(300, 200);
    customise(1);
    pick(widget<QComboBox>(*panel(), "ComboBox1"), QStringLiteral("Управление мышью"));
    pick(widget<QComboBox>(*panel(), "ComboBox10"), QStringLiteral("Мышь на позицию:"));
    EXPECT_EQ(state.table.slot(1).runAction, QStringLiteral("Mouse on position:"));
    EXPECT_TRUE(widget<QFrame>(*panel(), "Panel1")->isVisible());
    EXPECT_TRUE(widget<IntervalTimer>(*form, "TimerMousePos")->enabled());
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return form->statusText() == QStringLiteral("X = 300; Y = 200"); }, 1000));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("X = 300; Y = 200"));
    platform.cursor = QPoint(5, 6);
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return form->statusText() == QStringLiteral("X = 5; Y = 6"); }, 1000));

    // Relative to the window named in the window row.
    platform.windows.insert(QStringLiteral("Editor"), 7);
    platform.rects.insert(7, QRect(100, 50, 400, 300));
    platform.cursor = QPoint(130, 90);
    widget<QLineEdit>(*panel(), "Edit6")->setText(QStringLiteral("1.A"));
    pick(widget<QComboBox>(*panel(), "ComboBox10"),
         QStringLiteral("Мышь на позицию относительно окна:"));
    EXPECT_TRUE(widget<QLineEdit>(*panel(), "Edit6")
                    ->text()
                    .isEmpty());  // this choice empties the list field
    type(widget<TDropDownComboBox>(*panel(), "ComboBox5"), QStringLiteral("Editor"));
    EXPECT_EQ(state.table.slot(1).windowHandle, QStringLiteral("Editor"));
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return form->statusText() == QStringLiteral("X = 30; Y = 40"); }, 1000));
    // A caption no window has keeps the rectangle read last.
    type(widget<TDropDownComboBox>(*panel(), "ComboBox5"), QStringLiteral("2"));
    platform.cursor = QPoint(140, 100);
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return form->statusText() == QStringLiteral("X = 40; Y = 50"); }, 1000));

    pick(widget<QComboBox>(*panel(), "ComboBox10"), QStringLiteral("Вверх"));
    EXPECT_FALSE(widget<QFrame>(*panel(), "Panel1")->isVisible());
    EXPECT_FALSE(widget<IntervalTimer>(*form, "TimerMousePos")->enabled());

    // A selection change stops the readout and gives the window its title back.
    pick(widget<QComboBox>(*panel(), "ComboBox10"), QStringLiteral("Мышь на позицию:"));
    ASSERT_TRUE(widget<IntervalTimer>(*form, "TimerMousePos")->enabled());
    clickNode(2);
    EXPECT_FALSE(widget<IntervalTimer>(*form, "TimerMousePos")->enabled());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Quenda"));
    EXPECT_EQ(form->statusText(), QStringLiteral(" B"));
}

TEST_F(EditingTest, TextFieldsAndKeyListsStoreTheirTextAsTyped) {
    startWithABC();
    customise(2);
    QTest::keyClicks(widget<QLineEdit>(*panel(), "Edit2"), QStringLiteral("/usr/bin/gedit"));
    QTest::keyClicks(widget<QLineEdit>(*panel(), "Edit7"), QStringLiteral("/tmp/ding.wav"));
    QTest::keyClicks(widget<QLineEdit>(*panel(), "Edit4"),
                     QStringLiteral("1234567"));  // five characters at most
    QTest::keyClicks(widget<QLineEdit>(*panel(), "Edit5"),
                     QStringLiteral("y9"));  // not checked here
    pick(widget<QComboBox>(*panel(), "ComboBox3"), QStringLiteral("Ctrl+"));
    type(widget<QComboBox>(*panel(), "ComboBox7"), QStringLiteral("Alt+"));
    pick(widget<QComboBox>(*panel(), "ComboBox4"), QStringLiteral("Delete"));
    type(widget<QComboBox>(*panel(), "ComboBox4"),
         QStringLiteral("x"));  // a typed text is stored as typed
    const Command& b = state.table.slot(2);
    EXPECT_EQ(b.file, QStringLiteral("/usr/bin/gedit"));
    EXPECT_EQ(b.fileSound, QStringLiteral("/tmp/ding.wav"));
    EXPECT_EQ(b.mousePosX, QStringLiteral("12345"));
    EXPECT_EQ(b.mousePosY, QStringLiteral("y9"));
    EXPECT_EQ(b.keyAdd, QStringLiteral("Ctrl+"));
    EXPECT_EQ(b.keyAdd1, QStringLiteral("Alt+"));
    EXPECT_EQ(b.key, QStringLiteral("Deletex"));
    // The other commands are untouched.
    EXPECT_EQ(state.table.slot(1), command(QStringLiteral("A")));
    EXPECT_EQ(state.table.slot(3), command(QStringLiteral("C")));
    EXPECT_TRUE(state.changed);

    // Showing another command loads its values without storing anything.
    clickNode(1);
    EXPECT_TRUE(widget<QLineEdit>(*panel(), "Edit2")->text().isEmpty());
    EXPECT_EQ(state.table.slot(1), command(QStringLiteral("A")));
    clickNode(2);
    EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit2")->text(), QStringLiteral("/usr/bin/gedit"));
    EXPECT_EQ(widget<QComboBox>(*panel(), "ComboBox4")->currentText(), QStringLiteral("Deletex"));

    // The key lists take no more than the command file keeps of them.
    customise(2);
    for (QComboBox* list :
         {widget<QComboBox>(*panel(), "ComboBox3"), widget<QComboBox>(*panel(), "ComboBox7"),
          widget<QComboBox>(*panel(), "ComboBox4")}) {
        list->lineEdit()->clear();
        type(list, QString(30, QLatin1Char('k')));
    }
    EXPECT_EQ(b.keyAdd, QString(25, QLatin1Char('k')));
    EXPECT_EQ(b.keyAdd1, QString(25, QLatin1Char('k')));
    EXPECT_EQ(b.key, QString(25, QLatin1Char('k')));
}

TEST_F(EditingTest, PauseSecondsAcceptCommaAndPointAndRefuseOtherText) {
    startWithABC();
    customise(1);
    pick(widget<QComboBox>(*panel(), "ComboBox1"), QStringLiteral("Выполнение команды"));
    pick(widget<QComboBox>(*panel(), "ComboBox2"), QStringLiteral("Пауза:"));
    pick(widget<QComboBox>(*panel(), "ComboBox6"), QStringLiteral("0,25"));
    EXPECT_EQ(state.table.slot(1).pause, QStringLiteral("250"));
    pick(widget<QComboBox>(*panel(), "ComboBox6"), QStringLiteral("15"));
    EXPECT_EQ(state.table.slot(1).pause, QStringLiteral("15000"));

    // Typed seconds are converted when editing ends (Enter or leaving the field), not
    // at every keystroke: no error for an intermediate text, no value from one.
    QLineEdit* seconds = widget<QComboBox>(*panel(), "ComboBox6")->lineEdit();
    seconds->clear();
    errors.messages.clear();
    type(widget<QComboBox>(*panel(), "ComboBox6"), QStringLiteral("1.5"));
    EXPECT_EQ(state.table.slot(1).pause, QStringLiteral("15000"));
    QTest::keyClick(seconds, Qt::Key_Return);
    EXPECT_EQ(state.table.slot(1).pause, QStringLiteral("1500"));
    type(widget<QComboBox>(*panel(), "ComboBox6"),
         QStringLiteral("55"));  // "1.555": rounded to whole ms
    QTest::keyClick(seconds, Qt::Key_Return);
    EXPECT_EQ(state.table.slot(1).pause, QStringLiteral("1555"));

    seconds->clear();
    type(widget<QComboBox>(*panel(), "ComboBox6"), QStringLiteral("100"));
    QTest::keyClick(seconds, Qt::Key_Backspace);
    QTest::keyClick(seconds, Qt::Key_Backspace);
    QTest::keyClick(seconds, Qt::Key_Backspace);
    type(widget<QComboBox>(*panel(), "ComboBox6"), QStringLiteral("-"));
    QTest::keyClick(seconds, Qt::Key_Backspace);
    type(widget<QComboBox>(*panel(), "ComboBox6"), QStringLiteral("100"));
    EXPECT_EQ(state.table.slot(1).pause, QStringLiteral("1555")) << "nothing stored while typing";
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    Q_EMIT seconds->editingFinished();  // the field is left
    EXPECT_EQ(errors.messages.size(), 1) << "100 s is more than the file keeps";
    EXPECT_EQ(state.table.slot(1).pause, QStringLiteral("1555"));
    Q_EMIT seconds->editingFinished();  // leaving again without typing converts nothing
    EXPECT_EQ(errors.messages.size(), 1);

    errors.messages.clear();
    seconds->clear();
    type(widget<QComboBox>(*panel(), "ComboBox6"), QStringLiteral("abc"));
    EXPECT_TRUE(errors.messages.isEmpty());
    QTest::keyClick(seconds, Qt::Key_Return);
    EXPECT_EQ(state.table.slot(1).pause, QStringLiteral("1555"));
    EXPECT_EQ(errors.messages, QStringList{"'abc' is not a valid floating point value"});

    // The summary reads the stored milliseconds back.
    seconds->clear();
    type(widget<QComboBox>(*panel(), "ComboBox6"), QStringLiteral("2,5"));
    QTest::keyClick(seconds, Qt::Key_Return);
    clickNode(1);
    EXPECT_EQ(state.table.slot(1).pause, QStringLiteral("2500"));
    EXPECT_TRUE(widget<QPlainTextEdit>(*panel(), "Memo1")
                    ->toPlainText()
                    .contains(QStringLiteral("Пауза 2")));
}

TEST_F(EditingTest, PickersFillTheirFieldsAndThePreviewPlaysTheSound) {
    startWithABC();
    customise(3);
    prompts.openName = QStringLiteral("/usr/bin/xmessage");
    QTest::mouseClick(widget<QToolButton>(*panel(), "SpeedButton2"), Qt::LeftButton);
    ASSERT_EQ(prompts.count(ScriptedPrompts::Kind::OpenFile), 1);
    EXPECT_TRUE(prompts.asked.last().text.contains(QStringLiteral("*.pci")));
    EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit2")->text(), QStringLiteral("/usr/bin/xmessage"));
    EXPECT_EQ(state.table.slot(3).file, QStringLiteral("/usr/bin/xmessage"));
    prompts.openName = QStringLiteral("/usr/share/sounds/ding.wav");
    QTest::mouseClick(widget<QToolButton>(*panel(), "SpeedButton1"), Qt::LeftButton);
    ASSERT_EQ(prompts.count(ScriptedPrompts::Kind::OpenFile), 2);
    EXPECT_TRUE(prompts.asked.last().text.contains(QStringLiteral("*.wav")));
    EXPECT_EQ(state.table.slot(3).fileSound, QStringLiteral("/usr/share/sounds/ding.wav"));
    QTest::mouseClick(widget<QToolButton>(*panel(), "SpeedButton3"), Qt::LeftButton);
    EXPECT_EQ(platform.calls.last(), QStringLiteral("playSound /usr/share/sounds/ding.wav"));

    // Cancel changes nothing; a path longer than the file keeps is refused.
    prompts.openName.clear();
    QTest::mouseClick(widget<QToolButton>(*panel(), "SpeedButton2"), Qt::LeftButton);
    EXPECT_EQ(state.table.slot(3).file, QStringLiteral("/usr/bin/xmessage"));
    prompts.openName = QStringLiteral("/") + QString(100, 'x');
    QTest::mouseClick(widget<QToolButton>(*panel(), "SpeedButton2"), Qt::LeftButton);
    EXPECT_EQ(state.table.slot(3).file, QStringLiteral("/usr/bin/xmessage"));
    EXPECT_EQ(errors.messages.size(), 1);
}

TEST_F(EditingTest, Panel2FollowsItsWidth) {
    startWithABC();
    customise(1);
    form->resize(900, 500);
    QTest::qWait(10);
    const int w = widget<QFrame>(*panel(), "Panel2")->width();
    EXPECT_EQ(widget<QComboBox>(*panel(), "ComboBox1")->width(), w - 124);
    EXPECT_EQ(widget<TDropDownComboBox>(*panel(), "ComboBox5")->width(), w - 124);
    EXPECT_EQ(widget<QComboBox>(*panel(), "ComboBox10")->width(), w - 124);
    EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit2")->width(), w - 141);
    EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit6")->width(), w - 141);
    EXPECT_EQ(widget<QLineEdit>(*panel(), "Edit7")->width(), w - 161);
    EXPECT_EQ(widget<QToolButton>(*panel(), "SpeedButton2")->x(), w - 30);
    EXPECT_EQ(widget<QToolButton>(*panel(), "SpeedButton1")->x(), w - 49);
    EXPECT_EQ(widget<QToolButton>(*panel(), "SpeedButton3")->x(), w - 33);
}
