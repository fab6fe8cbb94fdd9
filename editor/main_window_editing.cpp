// The main window's editing commands: the header and command dialogs, deleting a
// command, and the customisation panel whose every change goes straight into the
// selected command's slot.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "core/command_file.h"
#include "core/program_identity.h"
#include "core/user_messages.h"
#include "core/vocabulary.h"
#include "editor/command_delete.h"
#include "editor/command_tree.h"
#include "editor/editing_rules.h"
#include "editor/main_window.h"
#include "editor/name_dialogs.h"
#include "editor/property_panel.h"
#include "forms/dialog_placement.h"

namespace {

const QString& kTitle = ProgramIdentity::kTitle;

// A list's position is the item whose text the list shows, -1 when the text is
// none of its items (typed, or emptied).
int shownPosition(const QComboBox* list) {
    return list->findText(list->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

// A user's change of a drop-down list: a pick from the list (also of the item it
// already shows) or a keystroke in its text. Loading the list from a program does
// neither, so no handler runs then.
template <typename Handler>
void onUserChange(QComboBox* list, TForm1* form, Handler handler) {
    QObject::connect(list, &QComboBox::activated, form, handler);
    QObject::connect(list->lineEdit(), &QLineEdit::textEdited, form, handler);
}

}  // namespace

void TForm1::connectEditing() {
    NewPultF = new TNewPultF(this);
    NewCommandF = new TNewCommandF(this);
    RenameCommandF = new TRenameCommandF(this);

    runDialog = [](QDialog& dialog) { return dialog.exec(); };
    unsavedQuestion = state_.messages.text(Messages::Id::UnsavedChanges);
    // The delete question in the built-in language until a language file words it.
    deleteTitle = QStringLiteral("Удаление");
    deletePrompt = QStringLiteral("Удалить");
    connectEditingSignals();
}

void TForm1::connectEditingSignals() {
    connect(Nnpu, &QAction::triggered, this, &TForm1::NnpuClick);
    connect(Nnco, &QAction::triggered, this, &TForm1::NncoClick);
    connect(N2, &QAction::triggered, this, &TForm1::NncoClick);
    connect(N8, &QAction::triggered, this, &TForm1::N8Click);
    connect(N9, &QAction::triggered, this, &TForm1::N9Click);
    connect(Natt, &QAction::triggered, this, &TForm1::NattClick);
    connect(N1, &QAction::triggered, this, &TForm1::NattClick);

    TPropertyPanel* p = ListViewPanel;
    onUserChange(p->ComboBox1, this, &TForm1::ComboBox1Change);
    onUserChange(p->ComboBox2, this, &TForm1::ComboBox2Change);
    onUserChange(p->ComboBox8, this, &TForm1::ComboBox8Change);
    onUserChange(p->ComboBox9, this, &TForm1::ComboBox9Change);
    onUserChange(p->ComboBox10, this, &TForm1::ComboBox10Change);
    connect(p, &TPropertyPanel::pauseSecondsChosen, this, &TForm1::ComboBox6Change);
    onUserChange(p->ComboBox5, this, &TForm1::ComboBox5Change);
    onUserChange(p->ComboBox3, this, &TForm1::ComboBox3Change);
    onUserChange(p->ComboBox7, this, &TForm1::ComboBox7Change);
    onUserChange(p->ComboBox4, this, &TForm1::ComboBox4Change);
    // The fields report every change of their text, also one made by the program
    // (a picked file, the combination builder); loading blocks their signals.
    connect(p->Edit4, &QLineEdit::textChanged, this, &TForm1::Edit4Change);
    connect(p->Edit5, &QLineEdit::textChanged, this, &TForm1::Edit5Change);
    connect(p->Edit2, &QLineEdit::textChanged, this, &TForm1::Edit2Change);
    connect(p->Edit6, &QLineEdit::textChanged, this, &TForm1::Edit6Change);
    connect(p->Edit7, &QLineEdit::textChanged, this, &TForm1::Edit7Change);
    connect(p->ComboBox5, &TDropDownComboBox::dropDown, this, &TForm1::ComboBox5DropDown);
    connect(p->SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(p->SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(p->SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(TimerMousePos, &IntervalTimer::timeout, this, &TForm1::TimerMousePosTimer);
}

// ---- Dialogs ----

void TForm1::NnpuClick() {
    if (state_.table.hasHeader()) {
        return;  // the tree has its one header already
    }
    DialogPlacement::placeOver(*NewPultF, *this);
    if (runDialog(*NewPultF) == QDialog::Accepted) {
        state_.table.setHeader(NewPultF->text());
        TreeView1->rebuild(state_.table);
        state_.changed = true;
    }
    if (state_.table.hasHeader()) {
        menus_.headerCreated();
        applyMenuEnabling();
    }
}

void TForm1::NncoClick() {
    if (!state_.table.hasHeader()) {
        return;
    }
    if (state_.table.commandCount() >= CommandTable::kMaxCommands) {
        errors_.report(
            state_.messages.text(Messages::Id::TableFull).arg(CommandTable::kMaxCommands));
        return;
    }
    DialogPlacement::placeOver(*NewCommandF, *this);
    if (runDialog(*NewCommandF) != QDialog::Accepted) {
        return;
    }
    const QString name = NewCommandF->text();
    TreeView1->selectIndex(0);  // a selection change when a command was selected
    const int slot = state_.table.addCommand(name);
    // The slot may hold stray values of a hand-edited file that had more field lines
    // than records: a new command starts with every field empty.
    state_.table.slot(slot) = Command();
    state_.table.slot(slot).name = name;
    TreeView1->rebuild(state_.table);  // the header stays selected and expanded
    // Emptying the controls reaches only the header's slot, which is never stored.
    ListViewPanel->emptyControls();
    state_.changed = true;
}

void TForm1::N8Click() {
    const int node = TreeView1->selectedIndex();
    if (node < 0) {
        return;
    }
    RenameCommandF->setText(state_.table.caption(node));
    DialogPlacement::placeOver(*RenameCommandF, *this);
    if (runDialog(*RenameCommandF) != QDialog::Accepted) {
        return;
    }
    const QString caption = RenameCommandF->text();
    if (caption == state_.table.caption(node)) {
        return;
    }
    // Only the tree caption: lookups by name keep the old name until a save and a load.
    state_.table.setCaption(node, caption);
    TreeView1->nodeAt(node)->setText(0, caption);
    state_.changed = true;
}

void TForm1::N9Click() {
    const int node = TreeView1->selectedIndex();
    if (TreeView1->nodeCount() <= 1 || node < 0) {
        return;
    }
    const QString question =
        deletePrompt + QStringLiteral(": \"") + state_.table.caption(node) + QStringLiteral("\" ?");
    if (!prompts_.yesNo(deleteTitle, question)) {
        return;
    }
    // The delete rewrites the command file: with none named yet, ask for one first.
    QString path = state_.commandFilePath;
    if (path.isEmpty()) {
        path = askSaveName();
    }
    if (path.isEmpty() || !confirmDroppingRecords(path)) {
        return;
    }
    const CommandDelete::Result deleted = CommandDelete::deleteAndReload(
        state_.table, node, path, CommandDelete::FileOps(state_.messages),
        state_.commandFileEncoding);
    if (!deleted.ok) {
        errors_.report(deleted.error);
        return;  // tree, table and file as they were
    }
    state_.table = deleted.table;
    state_.commandFilePath = path;
    state_.commandRecordsLeftOut = 0;
    state_.changed = false;  // the whole table is on disk now
    reloadTree();
}

// A save that fails is named in the question asked again, so the user can try once
// more, discard or cancel; the question never repeats without an answer.
bool TForm1::settleUnsavedChanges() {
    QString question = unsavedQuestion;
    while (state_.changed) {
        switch (prompts_.saveDiscardCancel(kTitle, question)) {
            case Prompts::Unsaved::Discard:
                return true;
            case Prompts::Unsaved::Cancel:
                return false;
            case Prompts::Unsaved::Save:
                break;
        }
        if (const QString error = writeSettings(); !error.isEmpty()) {
            errors_.report(error);  // the table may still be saved
        }
        const QString error = saveCommandTable();
        question = error.isEmpty() ? unsavedQuestion
                                   : UserMessages::saveFailedAskAgain(state_.messages, error);
    }
    return true;
}

// ---- Customisation mode ----

const Command* TForm1::selectedCommand() const {
    const int slot = TreeView1->selectedIndex();
    return slot < 0 ? nullptr : &state_.table.slot(slot);
}

bool TForm1::storeField(QString Command::*field, const QString& value) {
    const int slot = TreeView1->selectedIndex();
    if (slot < 0) {
        return false;
    }
    QString& stored = state_.table.slot(slot).*field;
    if (stored != value) {
        stored = value;
        // The header's slot is never written to the file: nothing to save there.
        if (slot > 0) {
            state_.changed = true;
        }
    }
    return true;
}

void TForm1::applyActionRow(int typePosition) {
    const std::optional<EditingRules::ActionRow> row = EditingRules::actionRowFor(typePosition);
    if (!row) {
        return;
    }
    TPropertyPanel* p = ListViewPanel;
    p->ComboBox2->setVisible(row->runActions);
    p->ComboBox8->setVisible(row->volumeActions);
    p->ComboBox9->setVisible(row->computerActions);
    p->ComboBox10->setVisible(row->mouseActions);
    p->ComboBox11->setVisible(row->blank);
    if (row->combination) {
        p->Edit6->setVisible(*row->combination);
    }
}

void TForm1::applyOverlays() {
    const Command* command = selectedCommand();
    if (!command) {
        return;
    }
    ListViewPanel->Panel1->setVisible(EditingRules::showsPositionFields(command->runAction));
    ListViewPanel->Panel3->setVisible(EditingRules::showsPauseSeconds(command->runAction));
    // The overlays lie over the action row, whichever list it shows.
    ListViewPanel->Panel1->raise();
    ListViewPanel->Panel3->raise();
}

void TForm1::NattClick() {
    const Command* command = selectedCommand();
    if (!command) {
        return;
    }
    ListViewPanel->Panel2->show();
    applyActionRow(Vocabulary::actionTypes().indexOf(command->typeAction));
    applyOverlays();
}

void TForm1::ComboBox1Change() {
    const int position = shownPosition(ListViewPanel->ComboBox1);
    if (position < 0) {
        return;  // a typed text that names no type stores nothing
    }
    if (storeField(&Command::typeAction, Vocabulary::actionTypes().values.at(position))) {
        applyActionRow(position);
    }
}

void TForm1::storeRunAction(const QComboBox* list, const QStringList& values) {
    const int position = shownPosition(list);
    if (position >= 0 && position < values.size()) {
        storeField(&Command::runAction, values.at(position));
    }
    applyOverlays();
}

void TForm1::ComboBox2Change() {
    storeRunAction(ListViewPanel->ComboBox2, Vocabulary::runActions().values);
}

void TForm1::ComboBox8Change() {
    storeRunAction(ListViewPanel->ComboBox8, Vocabulary::volumeActions().values);
}

void TForm1::ComboBox9Change() {
    storeRunAction(ListViewPanel->ComboBox9, Vocabulary::computerActions().values);
}

void TForm1::ComboBox10Change() {
    storeRunAction(ListViewPanel->ComboBox10, Vocabulary::mouseActions().values);
    if (shownPosition(ListViewPanel->ComboBox10) ==
        Vocabulary::mouseActions().indexOf(Vocabulary::kMouseOnWindowPosition)) {
        ListViewPanel->Edit6->clear();
    }
    const Command* command = selectedCommand();
    TimerMousePos->setEnabled(command && EditingRules::showsPositionFields(command->runAction));
}

void TForm1::ComboBox6Change() {
    const QString text = ListViewPanel->ComboBox6->currentText();
    const EditingRules::PauseConversion pause = EditingRules::pauseMilliseconds(text);
    if (!pause.milliseconds) {
        errors_.report(pause.error);
        return;
    }
    storeField(&Command::pause, *pause.milliseconds);
}

void TForm1::Edit4Change() {
    storeField(&Command::mousePosX, ListViewPanel->Edit4->text());
}

void TForm1::Edit5Change() {
    storeField(&Command::mousePosY, ListViewPanel->Edit5->text());
}

void TForm1::Edit2Change() {
    storeField(&Command::file, ListViewPanel->Edit2->text());
}

void TForm1::Edit7Change() {
    storeField(&Command::fileSound, ListViewPanel->Edit7->text());
}

void TForm1::ComboBox3Change() {
    storeField(&Command::keyAdd, ListViewPanel->ComboBox3->currentText());
}

void TForm1::ComboBox7Change() {
    storeField(&Command::keyAdd1, ListViewPanel->ComboBox7->currentText());
}

void TForm1::ComboBox4Change() {
    storeField(&Command::key, ListViewPanel->ComboBox4->currentText());
}

void TForm1::Edit6Change() {
    const Command* command = selectedCommand();
    if (command && command->typeAction == Vocabulary::kCombinationCommand) {
        storeField(&Command::commandCombination, ListViewPanel->Edit6->text());
    }
}

// The window row: a window caption for the window actions, and, whatever the type,
// one more element of the combination list.
void TForm1::ComboBox5Change() {
    const Command* command = selectedCommand();
    if (!command) {
        return;
    }
    const QString picked = ListViewPanel->ComboBox5->currentText();
    const bool combination = command->typeAction == Vocabulary::kCombinationCommand;
    if (!combination) {
        storeField(&Command::windowHandle, picked);
    }
    QLineEdit* list = ListViewPanel->Edit6;
    const QString grown = EditingRules::appendElement(list->text(), picked);
    if (grown.size() > EditingRules::kCombinationKept) {
        // The command file would keep only the first 1000 characters of the list.
        if (combination) {
            errors_.report(state_.messages.text(Messages::Id::CombinationFull)
                               .arg(EditingRules::kCombinationKept));
        }
        return;
    }
    list->setText(grown);  // Edit6Change stores it for a combination
}

void TForm1::ComboBox5DropDown() {
    TDropDownComboBox* list = ListViewPanel->ComboBox5;
    const QStringList captions = Memo2.refill(platform_);
    list->clear();
    list->addItems(captions);
    Q_EMIT windowCaptionsRefilled(captions);
    list->setCurrentIndex(captions.isEmpty() ? -1 : 0);  // shown, not stored

    const Command* command = selectedCommand();
    if (command && (command->runAction == QLatin1String("Timer") ||
                    command->typeAction == Vocabulary::kCombinationCommand)) {
        list->clear();
        for (int node = 1; node < TreeView1->nodeCount(); ++node) {
            list->addItem(state_.table.caption(node));
        }
        list->setCurrentIndex(-1);
        list->setEditText(QString());
    }
}

// ---- Pickers, sound preview, position readout ----

namespace {

// Characters of a path the command file keeps.
constexpr int kPathKept = CommandFile::Kept::kPath;

bool pathFits(const QString& path, const Messages& messages, ErrorReporter& errors) {
    return EditingRules::pathFits(path, kPathKept, messages.text(Messages::Id::PathTooLong),
                                  errors);
}

}  // namespace

void TForm1::SpeedButton2Click() {
    const QString path = prompts_.openFileName(dialogFolder(), EditingRules::programFileFilter());
    if (!path.isEmpty() && pathFits(path, state_.messages, errors_)) {
        ListViewPanel->Edit2->setText(path);  // Edit2Change stores it
    }
}

void TForm1::SpeedButton1Click() {
    const QString path = prompts_.openFileName(dialogFolder(), EditingRules::soundFileFilter());
    if (!path.isEmpty() && pathFits(path, state_.messages, errors_)) {
        ListViewPanel->Edit7->setText(path);  // Edit7Change stores it
    }
}

void TForm1::SpeedButton3Click() {
    platform_.playSound(ListViewPanel->Edit7->text());
}

void TForm1::TimerMousePosTimer() {
    const Command* command = selectedCommand();
    QPoint position = platform_.cursorPos();
    if (command && command->runAction == Vocabulary::kMouseOnPosition) {
        StatusBar1->setText(EditingRules::positionReadout(position));
    } else if (command && command->runAction == Vocabulary::kMouseOnWindowPosition) {
        // A caption no window has keeps the rectangle read last.
        if (const Platform::WindowId window =
                platform_.findWindow(ListViewPanel->ComboBox5->currentText())) {
            readoutWindowRect_ = platform_.windowRect(window);
        }
        position -= readoutWindowRect_.topLeft();
        StatusBar1->setText(EditingRules::positionReadout(position));
    }
    // The window's title is what the task bar shows for the program.
    setWindowTitle(StatusBar1->text());
}
