#include "editing_fixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "core/command_file.h"
#include "core/text_file.h"
#include "editor/command_tree.h"
#include "editor/name_dialogs.h"

Command command(const QString& name, const QString& typeAction, const QString& runAction) {
    Command c;
    c.name = name;
    c.typeAction = typeAction;
    c.runAction = runAction;
    return c;
}

void EditingTest::SetUp() {
    ASSERT_TRUE(dir.isValid());
    state.programFolder = dir.path() + QLatin1Char('/');
}

void EditingTest::TearDown() {
    form.reset();
}

void EditingTest::writeRemote(const QString& fileName, const QString& header,
                              const QList<Command>& commands) const {
    CommandTable table;
    table.setHeader(header);
    for (const Command& c : commands) {
        table.slot(table.addCommand(c.name)) = c;
    }
    ASSERT_TRUE(CommandFile::saveToFile(path(fileName), table).ok);
}

void EditingTest::writeSettings(const QString& loadFile) const {
    const TextFile::ReadResult shipped =
        TextFile::read(QStringLiteral(QUENDA_SOURCE_DIR "/resources/QUENDA.ini"));
    ASSERT_TRUE(shipped.lines.has_value());
    QStringList lines = *shipped.lines;
    for (QString& line : lines) {
        if (line.startsWith(QLatin1String("Load file:"))) {
            line = QStringLiteral("Load file: ") + loadFile;
        } else if (line.startsWith(QLatin1String("Com Device:"))) {
            line = QStringLiteral("Com Device: ") + pty.devicePath();
        }
    }
    ASSERT_TRUE(TextFile::write(state.settingsPath(), lines).isEmpty());
}

void EditingTest::start(const QString& loadFile) {
    writeSettings(loadFile);
    FormTest::start();
    showWindow();
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join(QLatin1Char('\n')).toStdString();
}

void EditingTest::startWithABC() {
    writeRemote(
        QStringLiteral("abc.pci"), QStringLiteral("Remote"),
        {command(QStringLiteral("A")), command(QStringLiteral("B")), command(QStringLiteral("C"))});
    start(path(QStringLiteral("abc.pci")));
}

QStringList EditingTest::treeCaptions() const {
    QStringList captions;
    for (int i = 0; i < tree()->nodeCount(); ++i) {
        captions << tree()->nodeAt(i)->text(0);
    }
    return captions;
}

void EditingTest::customise(int index) {
    clickNode(index);
    ASSERT_TRUE(widget<QAction>(*form, "Natt")->isEnabled());
    widget<QAction>(*form, "Natt")->trigger();
    ASSERT_TRUE(widget<QFrame>(*panel(), "Panel2")->isVisible());
}

void EditingTest::answerNameDialog(const QString& text, bool ok) {
    form->runDialog = [this, text, ok](QDialog& dialog) {
        auto* named = qobject_cast<TNameDialog*>(&dialog);
        QTimer::singleShot(0, &dialog, [this, named, text, ok] {
            auto* edit = widget<QLineEdit>(*named, "Edit1");
            dialogsSeen << DialogSeen{
                named->objectName(), named->windowTitle(), widget<QLabel>(*named, "Label1")->text(),
                edit->text(),        named->size(),        named->pos()};
            if (!text.isNull()) {
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Delete);
                QTest::keyClicks(edit, text);
            }
            QTest::mouseClick(widget<QPushButton>(*named, ok ? "Button1" : "Button2"),
                              Qt::LeftButton);
        });
        return dialog.exec();
    };
}

void EditingTest::pick(QComboBox* list, int index) {
    choose(list, [index](QComboBox*) { return index; });
}

void EditingTest::pick(QComboBox* list, const QString& itemText) {
    // The built-in items are padded with blanks.
    choose(list, [itemText](QComboBox* opened) {
        for (int i = 0; i < opened->count(); ++i) {
            if (opened->itemText(i).trimmed() == itemText) {
                return i;
            }
        }
        return -1;
    });
}

void EditingTest::choose(QComboBox* list, const std::function<int(QComboBox*)>& which) {
    list->showPopup();  // a list that refills itself does it now
    QAbstractItemView* view = list->view();
    ASSERT_TRUE(QTest::qWaitFor([view] { return view->isVisible(); }));
    const int index = which(list);
    ASSERT_GE(index, 0);
    ASSERT_LT(index, list->count());
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([view] { return !view->isVisible(); }));
}

void typeText(QWidget* widget, const QString& text) {
    // Key events that carry the characters, Cyrillic ones included.
    for (const QChar c : text) {
        const auto key = Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
    }
}

void EditingTest::type(QComboBox* list, const QString& text) {
    typeText(list->lineEdit(), text);
}
