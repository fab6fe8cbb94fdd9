#include <QTemporaryDir>
#include <QTest>

#include "core/command_file.h"
#include "reception/recognition_text.h"
#include "recording_host.h"

TEST_F(ReceptionTest, ByteFilter) {
    struct Case {
        QByteArray bytes;
        QString expected;
        std::function<void(SettingsRecord&)> set;
    };
    const Case cases[] = {
        {QByteArray::fromHex("414243"), " 41 42 43", {}},
        {QByteArray::fromHex("0D41001F20A0FF"), " 41 20 A0 FF", {}},
        {"ABC", " 41 43", [](auto& s) { s.recognizeDelete[2] = "42"; }},
        {"AC", " 41 ", [](auto& s) { s.recognizeChangeFrom[0] = "43"; }},
        {"A", "", [](auto& s) { s.recognizeDelete[0] = s.recognizeChangeFrom[0] = "41"; }},
        {"C", " 41",
         [](auto& s) {  // a replacement is not deleted again
             s.recognizeDelete[0] = s.recognizeChangeTo[0] = "41";
             s.recognizeChangeFrom[0] = "43";
         }},
        {QByteArray::fromHex("A0"), " 42",
         [](auto& s) {  // a chain runs forward only
             s.recognizeChangeFrom = {"42", "A0", "41"};
             s.recognizeChangeTo = {"X", "41", "42"};
         }},
        {"O", " 4F",
         [](auto& s) {
             s.recognizeDelete = {"4f", "4", "F"};
         }},
    };
    for (const Case& c : cases) {
        state.settings = SettingsRecord();
        if (c.set) {
            c.set(state.settings);
        }
        reception.Edit1.setText(QString());
        timer1.setEnabled(false);
        reception.receiveBytes(c.bytes);
        EXPECT_EQ(reception.Edit1.text(), c.expected) << c.bytes.toHex().constData();
        EXPECT_EQ(timer1.enabled(), !c.expected.isEmpty()) << "a change starts the timer";
    }
}

TEST(RecognitionText, CutCode) {
    const QString tail = QStringLiteral(" 43").repeated(100);
    const QString cases[][3] = {
        {" 41 42 43", "", " 41 42 43"},                         // no symbol: all, blank included
        {" 41 42 43 41 42 43", "41", "41 42 43"},               // a packet received twice
        {" 10 41 42", "41", "41 42"},                           // leading noise
        {" 10 42 43", "41", " 10 42 43"},                       // symbol absent
        {" 4F 41", "4f", " 4F 41"},                             // case-sensitive
        {" 44 42", "4", ""},                                    // nothing left
        {" 41 42 41" + tail, "41", "41 42" + tail.right(103)},  // at most 200 cut behind
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RecognitionText::cutCode(c[0], c[1]), c[2]) << c[0].toStdString();
    }
}

TEST(RecognitionText, CombinationElements) {
    const QString longName = QStringLiteral("A name longer than 25 characters");
    const std::pair<QString, QStringList> cases[] = {
        {"1.A 2.B", {"A", "B"}},
        {"1.Play music 2.Volume up 3.Next", {"Play music", "Volume up", "Next"}},
        {"", {}},
        {"1." + longName + " 2.B", {longName, "B"}},
        {"1.B 2." + longName, {"B", longName.left(25)}},
        {"1.A 4.B", {"A 4.B", "", "A", "B"}},  // a missing marker
        {"1.A 2.B 3.C 4.D 5.E 6.F 7.G 8.H 9.I 10.J 11.K",
         {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K"}},
    };
    for (const auto& [list, names] : cases) {
        EXPECT_EQ(RecognitionText::combinationElements(list), names) << list.toStdString();
    }
}

TEST_F(ReceptionTest, MatchingInSlotOrder) {
    fillTable(state.table,
              {{"Play", " 41 42"}, {"Stop", "41 42"}, {"Again", " 41 42"}, {"New", ""}});
    EXPECT_EQ(passOver(" 41 42"),
              (QStringList{"log  41 42", "dispatch 1", "feedback 1", "dispatch 3", "feedback 3"}));
    EXPECT_EQ(passOver(" 41 42 43"), QStringList{"log  41 42 43"});  // whole codes only
    state.settings.recognizeStartSymbol = "4";
    EXPECT_EQ(passOver(" 44 42"), QStringList{"log "});  // empty: no unlearned command runs
    state.settings.recognizeStartSymbol = "41";
    state.learningMode = "y";
    EXPECT_EQ(passOver(" 10 41 42 41 42"), (QStringList{"log 41 42", "learn 41 42"}));
    state.learningMode.clear();
    // The executor loads another table: matching stops, without feedback.
    host.onDispatch = [this](int) {
        state.tableSwitched = "Y";
        return true;
    };
    EXPECT_EQ(passOver(" 10 41 42"), (QStringList{"log 41 42", "dispatch 2"}));
    EXPECT_EQ(state.tableSwitched, "N");
}

TEST_F(ReceptionTest, Combinations) {
    const QString longName = QStringLiteral("Twenty-six characters long");
    fillTable(state.table, {{"Combo", " 50", "1.A 2.B"},
                            {"A", ""},
                            {"B", ""},
                            {"A", ""},
                            {longName, ""},
                            {"", ""},
                            {"Long", " 51", "1.B 2." + longName},
                            {"Gaps", " 52", "1.X 2. 3." + longName + " 4.B"},
                            {"None", " 53", ""}});
    EXPECT_EQ(passOver(" 50"),
              (QStringList{"log  50", "dispatch 1", "wait 100", "dispatch 2", "wait 100",
                           "dispatch 4", "wait 100", "dispatch 3", "feedback 3"}));
    EXPECT_EQ(passOver(" 51").filter("dispatch"), (QStringList{"dispatch 7", "dispatch 3"}));
    EXPECT_EQ(passOver(" 52").filter("dispatch"),
              (QStringList{"dispatch 8", "dispatch 5", "dispatch 3"}));
    EXPECT_EQ(passOver(" 53"), (QStringList{"log  53", "dispatch 9", "feedback 9"}));

    // Each element is looked up in the table as it is then.
    host.onDispatch = [this](int slot) {
        if (slot == 2) {
            fillTable(state.table, {{"B", ""}});
            state.tableSwitched = "Y";
        }
        return true;
    };
    EXPECT_EQ(passOver(" 50").filter("dispatch"),
              (QStringList{"dispatch 1", "dispatch 2", "dispatch 1"}));
}

TEST_F(ReceptionTest, PassEndsWithTheBufferEmptiedAndTheTimerStopped) {
    fillTable(state.table, {{"Broken", " 41"}, {"Play", " 41"}, {"Combo", " 50", "1.Broken"}});
    timer1.setInterval(20);
    int passes = 0;
    QObject::connect(&timer1, &IntervalTimer::timeout, [&] { ++passes; });
    reception.Edit1.setText(" 41");
    QTest::qWait(150);
    EXPECT_EQ(passes, 1) << "emptying the buffer must not start another pass";
    EXPECT_FALSE(timer1.enabled());
    EXPECT_EQ(reception.Edit1.text(), QString());

    // A failed dispatch ends the pass at once, and cleanly, inside a combination too.
    host.onDispatch = [](int slot) { return slot != 1; };
    EXPECT_EQ(passOver(" 41"), (QStringList{"log  41", "dispatch 1"}));
    EXPECT_EQ(passOver(" 50").filter("dispatch"), (QStringList{"dispatch 3", "dispatch 1"}));
    EXPECT_FALSE(timer1.enabled() || reception.passRunning());
    EXPECT_EQ(reception.Edit1.text(), QString());

    // The timer firing inside an event loop of the pass starts no second pass.
    bool nested = false;
    host.onDispatch = [&](int) {
        if (!std::exchange(nested, true)) {
            reception.Timer1Timer();
        }
        return true;
    };
    EXPECT_EQ(passOver(" 41").filter("dispatch"), (QStringList{"dispatch 1", "dispatch 2"}));
}

TEST_F(ReceptionTest, TimerExpiry) {
    QTemporaryDir dir;
    CommandTable other;
    fillTable(other, {{"Off", " 41"}, {"Other", " 42"}, {"Off", " 43"}});
    const QString path = dir.filePath("sleep.pci");
    ASSERT_TRUE(CommandFile::saveToFile(path, other).ok);
    auto arm = [&](const QString& file, const QString& name) {
        host.events.clear();
        state.timerCommandFile = file;
        state.timerCommandName = name;
        state.timerMinutesLeft = 5;
        timer5.setEnabled(true);
    };

    arm(path, "Nobody");  // no such command: loaded, and the timer stays armed
    reception.Timer5Timer();
    EXPECT_TRUE(timer5.enabled() && reception.Edit1.text().isEmpty());
    EXPECT_EQ(state.commandFilePath, path);

    arm(path, "Off");  // the last slot with the name wins, its code starts a pass
    reception.Timer5Timer();
    EXPECT_EQ(host.events, (QStringList{"loaded", "timer 0", "timer 0"}));
    EXPECT_EQ(reception.Edit1.text(), " 43");
    EXPECT_FALSE(timer5.enabled());
    EXPECT_EQ(state.timerMinutesLeft, 0);
    reception.Timer1Timer();
    EXPECT_EQ(host.only("dispatch"), QStringList{"dispatch 3"});

    // A file that cannot be opened is reported once and ends the timer action.
    arm(dir.filePath("missing.pci"), "Off");
    timer5.setInterval(20);
    QTest::qWait(120);
    EXPECT_EQ(errors.messages.size(), 1);
    EXPECT_EQ(host.events, QStringList{"timer 0"});
    EXPECT_FALSE(timer5.enabled());
    EXPECT_EQ(state.timerMinutesLeft, 0);
    EXPECT_EQ(state.commandFilePath, path);

    // An expiry while a pass runs waits for the pass to end.
    arm(path, "Off");
    host.onDispatch = [&](int) {
        reception.Timer5Timer();
        EXPECT_TRUE(timer5.enabled());
        return true;
    };
    passOver(" 43");
    EXPECT_EQ(reception.Edit1.text(), " 43");
    EXPECT_FALSE(timer5.enabled());
}
