#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "../test_helpers.h"
#include "core/messages.h"
#include "core/text_file.h"
#include "settings/language_file.h"
#include "settings/language_table.h"

namespace {

const QStringList kShipped = {QStringLiteral("English"), QStringLiteral("Russian")};

QStringList shippedLines(const QString& language) {
    const TextFile::ReadResult file =
        TextFile::read(QStringLiteral(":/quenda/Lng/%1.lng").arg(language));
    EXPECT_TRUE(file.lines.has_value()) << file.error.toStdString();
    return file.lines.value_or(QStringList());
}

// The keys a line holds, as the reader looks for them.
QStringList keysIn(const QString& line) {
    QStringList keys;
    for (const LanguageTable::Entry& entry : LanguageTable::entries()) {
        if (line.contains(entry.key)) {
            keys << entry.key;
        }
    }
    return keys;
}

// The %1, %2... a text holds, each once, in order.
QStringList argumentsOf(const QString& text) {
    QStringList found;
    for (int n = 1; n <= 9; ++n) {
        if (text.contains(QStringLiteral("%%1").arg(n))) {
            found << QStringLiteral("%%1").arg(n);
        }
    }
    return found;
}

}  // namespace

TEST(LanguageTable, NoKeyIsFoundInsideAnother) {
    const auto& entries = LanguageTable::entries();
    for (const auto& a : entries) {
        for (const auto& b : entries) {
            if (&a != &b) {
                EXPECT_FALSE(b.key.contains(a.key))
                    << a.key.toStdString() << " in " << b.key.toStdString();
            }
        }
    }
    // The documented keys, the device label and the program's messages.
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(),
                            [](const auto& e) { return !e.key.startsWith(QLatin1String("Msg.")); }),
              119);
}

// Every line of both shipped files holds exactly one key, every key has a line in
// both, each text fits its maximum, messages keep their arguments, and the lists come
// in position order.
TEST(LanguageTable, ShippedFilesCoverEveryKeyWithinItsMaximum) {
    for (const QString& language : kShipped) {
        SCOPED_TRACE(language.toStdString());
        const QStringList lines = shippedLines(language);
        QStringList seen;
        for (const QString& line : lines) {
            const QStringList keys = keysIn(line);
            ASSERT_EQ(keys.size(), 1) << line.toStdString();
            EXPECT_TRUE(line.startsWith(keys[0] + QLatin1Char(' '))) << line.toStdString();
            seen << keys[0];
            for (const auto& entry : LanguageTable::entries()) {
                if (entry.key == keys[0]) {
                    const QString text = line.mid(entry.key.size() + 1).trimmed();
                    EXPECT_FALSE(text.isEmpty()) << line.toStdString();
                    EXPECT_LE(text.size(), entry.maxLength) << line.toStdString();
                }
            }
            // A message's translation takes the same arguments as its built-in text.
            for (const Messages::Definition& message : Messages::definitions()) {
                const QString key = QStringLiteral("Msg.%1:").arg(QLatin1String(message.name));
                if (line.startsWith(key + QLatin1Char(' '))) {
                    EXPECT_EQ(argumentsOf(line.mid(key.size())),
                              argumentsOf(QString::fromUtf8(message.builtIn)))
                        << line.toStdString();
                }
            }
        }
        for (const auto& entry : LanguageTable::entries()) {
            EXPECT_EQ(seen.count(entry.key), 1) << entry.key.toStdString();
        }
        const LanguageTexts texts = LanguageFile::read(lines);
        const int counts[] = {6, 7, 8, 19, 2};
        for (int list = 0; list < 5; ++list) {
            EXPECT_EQ(texts.lists.value(LanguageTable::kLists[list]).size(), counts[list]);
        }
    }
    const LanguageTexts english = LanguageFile::read(shippedLines(QStringLiteral("English")));
    EXPECT_EQ(english.caption(QStringLiteral("TForm1/Nfile")), QStringLiteral("&File"));
    EXPECT_EQ(english.caption(QStringLiteral("TForm1/NParam")), QStringLiteral("Settings ..."));
    EXPECT_EQ(english.caption(QStringLiteral("TForm1/Nexit")), QStringLiteral("Exit"));
    EXPECT_FALSE(english.caption(QStringLiteral("TPropertiesF/CheckBox1")).contains("Windows"));
}

TEST(LanguageFile, CutsAtTheColumnAfterTheKeyKeepsTheMaximumAndTrims) {
    const LanguageTexts texts = LanguageFile::read({
        QStringLiteral("Menu.Open: 123456789012345678901234567890"),  // 30 characters, 25 kept
        QStringLiteral("  Menu.Exit: Quit"),                       // found, but cut from column 12
        QStringLiteral("Menu.Save:    Keep it \t"),                // blanks and a tab trimmed
        QStringLiteral("Menu.Save As: Save as"),                   // not the key "Menu.Save:"
        QStringLiteral("PanCustomizationCB2.7.Caption: seconds"),  // at most 5
        QStringLiteral("no key here"),
        QString(),
    });
    EXPECT_EQ(texts.caption(QStringLiteral("TForm1/Nopen")),
              QStringLiteral("1234567890123456789012345"));
    EXPECT_EQ(texts.caption(QStringLiteral("TForm1/Nexit")), QStringLiteral(": Quit"));
    EXPECT_EQ(texts.caption(QStringLiteral("TForm1/Nsave")), QStringLiteral("Keep it"));
    EXPECT_EQ(texts.caption(QStringLiteral("TForm1/NsaveAs")), QStringLiteral("Save as"));
    EXPECT_EQ(texts.caption(QStringLiteral("TForm1/LabelSec")), QStringLiteral("secon"));
    EXPECT_EQ(texts.captions.size(), 5);
    EXPECT_TRUE(texts.lists.isEmpty());
}

TEST(LanguageFile, OneKeyWithSeveralTargetsListsInFileOrderAndStoredTexts) {
    const LanguageTexts texts = LanguageFile::read({
        QStringLiteral("Menu.NewCommand: New command"),
        QStringLiteral("PanCustomizationCB4.10.Caption: Left click"),
        QStringLiteral("PanCustomizationCB4.1.Caption: Down"),
        QStringLiteral("PanCustomizationCB4.1.Caption: Down"),
        QStringLiteral("PanCustomizationCB5.0.Caption: Shut down"),
        QStringLiteral("PanCustomizationCB2.5.Caption: Timer"),
        QStringLiteral("WinDeletecommand.Caption: Delete"),
        QStringLiteral("WinDeletecommand.1.Caption: Delete the command"),
        QStringLiteral("Msg.TableFull: Full at %1"),
    });
    EXPECT_EQ(texts.caption(QStringLiteral("TForm1/Nnco")), QStringLiteral("New command"));
    EXPECT_EQ(texts.caption(QStringLiteral("TForm1/N2")), QStringLiteral("New command"));
    // A line for item 10 is not one for item 1; items come in the file's order.
    EXPECT_EQ(texts.lists.value(QStringLiteral("TForm1/ComboBox10")),
              QStringList({"Left click", "Down", "Down"}));
    EXPECT_EQ(texts.lists.value(QStringLiteral("TForm1/ComboBox9")), QStringList{"Shut down"});
    EXPECT_EQ(texts.caption(QStringLiteral("TShutDownF/LabelShutDownLNG")),
              QStringLiteral("Shut down"));
    EXPECT_EQ(texts.caption(QStringLiteral("TShutDownF/LabelShutDownCount")),
              QStringLiteral("Shut down"));
    EXPECT_EQ(texts.caption(QStringLiteral("TTimerF/TimerFLabelTimer")), QStringLiteral("Timer"));
    EXPECT_EQ(texts.lists.value(QStringLiteral("TForm1/ComboBox2")), QStringList{"Timer"});
    EXPECT_FALSE(texts.lists.contains(QStringLiteral("TForm1/ComboBox1")));
    EXPECT_EQ(texts.stored.value(LanguageTable::kDeleteTitle), QStringLiteral("Delete"));
    EXPECT_EQ(texts.stored.value(LanguageTable::kDeletePrompt),
              QStringLiteral("Delete the command"));
    EXPECT_EQ(texts.stored.value(QStringLiteral("Msg.TableFull")), QStringLiteral("Full at %1"));
}

TEST(LanguageFile, UserFileFirstThenBuiltInCopy) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    EXPECT_EQ(LanguageFile::locate(folder, QStringLiteral("English")),
              QStringLiteral(":/quenda/Lng/English.lng"));
    EXPECT_TRUE(LanguageFile::locate(folder, QStringLiteral("Other")).isEmpty());
    EXPECT_TRUE(LanguageFile::locate(folder, QString()).isEmpty());
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("Lng")));
    ASSERT_TRUE(
        TestFiles::writeBytes(folder + QStringLiteral("Lng/Other.lng"), "Menu.File: X\r\n"));
    EXPECT_EQ(LanguageFile::locate(folder, QStringLiteral("Other")),
              folder + QStringLiteral("Lng/Other.lng"));
    ASSERT_TRUE(
        TestFiles::writeBytes(folder + QStringLiteral("Lng/English.lng"), "Menu.File: Y\r\n"));
    EXPECT_EQ(LanguageFile::locate(folder, QStringLiteral("English")),
              folder + QStringLiteral("Lng/English.lng"));
}
