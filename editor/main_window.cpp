#include "editor/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

#include "actions/volume_control.h"
#include "core/command_file.h"
#include "core/number_text.h"
#include "core/program_identity.h"
#include "core/settings_file.h"
#include "core/startup.h"
#include "core/text_file.h"
#include "core/user_messages.h"
#include "editor/command_runner.h"
#include "editor/command_tree.h"
#include "editor/editing_rules.h"
#include "editor/name_dialogs.h"
#include "editor/property_panel.h"
#include "reception/tutoring_dialog.h"
#include "settings/test_window.h"

namespace {

const QString& kTitle = ProgramIdentity::kTitle;
const QString kCommandFileFilter = QStringLiteral("*.pci");
constexpr int kPropertyPaneMinimum = 433;  // the tree's width plus this bounds the window
constexpr int kMinimumHeight = 200;

QIcon programIcon() {
    return QIcon(ProgramIdentity::kIconPath);
}

}  // namespace

TForm1::TForm1(AppState& state, Platform& platform, ErrorReporter& errors, Prompts& prompts,
               QWidget* parent)
    : QMainWindow(parent), state_(state), platform_(platform), errors_(errors), prompts_(prompts) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(kTitle);
    setGeometry(111, 115, 654, 442);
    QFont font = this->font();
    font.setPixelSize(11);
    setFont(font);
    buildPanes();
    buildMenus();
    buildTimers();
    rememberTreeWidth();
    setWindowIcon(programIcon());
    RxTrayIcon1 = new QSystemTrayIcon(programIcon(), this);
    RxTrayIcon1->setObjectName(QStringLiteral("RxTrayIcon1"));
    RxTrayIcon1->setToolTip(kTitle);
    connect(RxTrayIcon1, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) {
                    RxTrayIcon1DblClick();
                }
            });
    state_.timerMinutesLeft = 0;
    connectEditing();
    runStartup();
    if (TreeView1->nodeCount() == 0) {
        ListViewPanel->Panel2->hide();
    }
    // Only now: a message box of the start-up runs an event loop of its own, and the
    // start-up step uses the runner made above.
    Timer2->setEnabled(true);
}

TForm1::~TForm1() = default;

// The serial port opens as part of the start-up, right after the command file.
void TForm1::connectReception() {
    runner_ = std::make_unique<TCommandRunner>(
        *this,
        TCommandRunner::Parts{*TreeView1, *ListViewPanel, RxTrayIcon1, *Timer1, *Timer5, *TimerIcon,
                              *TimerMouseMove, *TimerVolConst,
                              [this] { return NewPultF->cancelCaption(); }},
        state_, platform_, errors_);
    connect(NTestIR, &QAction::triggered, this, &TForm1::NTestIRClick);
    connect(Ntut, &QAction::triggered, this, &TForm1::NtutClick);
    connect(N3, &QAction::triggered, this, &TForm1::NtutClick);
    if (port_ && !runner_->openPort(*port_)) {
        // Said once the event loop runs: the settings dialog, created after this
        // window, has then put the language into the menus and the messages.
        QTimer::singleShot(0, this, [this, device = port_->device, reason = runner_->portError()] {
            const QString where = Nfile->title().remove(QLatin1Char('&')) +
                                  QStringLiteral(" \u25B8 ") + NParam->text();
            errors_.report(UserMessages::portDidNotOpen(state_.messages, device, reason, where));
        });
    }
}

void TForm1::NTestIRClick() {
    runner_->TestF()->NTestIRClick(*this);
}

void TForm1::NtutClick() {
    const int slot = TreeView1->selectedIndex();
    if (slot > 0 && runner_->tutoringF()->NtutClick(*this, slot) == QDialog::Accepted) {
        ShowProperties();
    }
}

void TForm1::buildPanes() {
    TreeViewPanel = new QWidget(this);
    TreeViewPanel->setObjectName(QStringLiteral("TreeViewPanel"));
    auto* treeLayout = new QVBoxLayout(TreeViewPanel);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    TreeView1 = new TCommandTree(TreeViewPanel);
    treeLayout->addWidget(TreeView1);
    ListViewPanel = new TPropertyPanel(this);

    Splitter = new QSplitter(Qt::Horizontal, this);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter->setHandleWidth(2);
    Splitter->setChildrenCollapsible(false);
    Splitter->addWidget(TreeViewPanel);
    Splitter->addWidget(ListViewPanel);
    Splitter->setStretchFactor(1, 1);
    Splitter->setSizes({150, width() - 152});
    setCentralWidget(Splitter);
    connect(Splitter, &QSplitter::splitterMoved, this, &TForm1::SplitterMoved);

    StatusBar1 = new QLabel(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(StatusBar1, 1);
    statusBar()->setFixedHeight(19);
    statusBar()->setSizeGripEnabled(false);

    connect(TreeView1, &QTreeWidget::currentItemChanged, this, &TForm1::TreeView1Change);
    connect(TreeView1, &QTreeWidget::itemPressed, this, [this] { TreeView1Click(); });
    connect(TreeView1, &TCommandTree::contextMenuWanted, this, [this](const QPoint& at) {
        PopupMenu1Popup();
        PopupMenu1->exec(at);
    });
}

QAction* TForm1::item(QMenu* menu, const QString& text, void (TForm1::*handler)(),
                      const QKeySequence& shortcut) {
    QAction* action = menu->addAction(text);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void TForm1::buildMenus() {
    Nfile = menuBar()->addMenu(QStringLiteral("&Файл"));
    Nopen = item(Nfile, QStringLiteral("Открыть ..."), &TForm1::NopenClick, QKeySequence::Open);
    Nfile->addSeparator();
    Nsave = item(Nfile, QStringLiteral("Сохранить"), &TForm1::NsaveClick, QKeySequence::Save);
    NsaveAs = item(Nfile, QStringLiteral("Сохранить как ..."), &TForm1::NsaveAsClick,
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    Nfile->addSeparator();
    NParam = Nfile->addAction(QStringLiteral("Параметры ..."));
    Nfile->addSeparator();
    NRun = item(Nfile, QStringLiteral("Запустить ..."), &TForm1::NRunClick);
    Nfile->addSeparator();
    Nexit = item(Nfile, QStringLiteral("Выход"), &TForm1::NexitClick,
                 QKeySequence(Qt::CTRL | Qt::Key_Q));

    Nser = menuBar()->addMenu(QStringLiteral("Сервис"));
    connect(Nser, &QMenu::aboutToShow, this, &TForm1::NserClick);
    NTestIR = Nser->addAction(QStringLiteral("Тест приемника"));
    Nser->addSeparator();
    Nnpu = Nser->addAction(QStringLiteral("Новый заголовок"));
    Nnco = Nser->addAction(QStringLiteral("Новая команда"));
    Ntut = Nser->addAction(QStringLiteral("Обучение ..."));
    Nser->addSeparator();
    Natt = Nser->addAction(QStringLiteral("Настройки"));

    Npom = menuBar()->addMenu(QStringLiteral("?"));
    Nabout = Npom->addAction(QStringLiteral("O программе ..."));

    PopupMenu1 = new QMenu(this);
    N2 = PopupMenu1->addAction(QStringLiteral("новая команда"));
    N3 = PopupMenu1->addAction(QStringLiteral("обучение ..."));
    PopupMenu1->addSeparator();
    N1 = PopupMenu1->addAction(QStringLiteral("настройки"));
    PopupMenu1->addSeparator();
    N8 = PopupMenu1->addAction(QStringLiteral("переименовать"));
    N9 = PopupMenu1->addAction(QStringLiteral("удалить"));

    const std::pair<QAction*, const char*> names[] = {
        {Nopen, "Nopen"}, {Nsave, "Nsave"}, {NsaveAs, "NsaveAs"}, {NParam, "NParam"},
        {NRun, "NRun"},   {Nexit, "Nexit"}, {NTestIR, "NTestIR"}, {Nnpu, "Nnpu"},
        {Nnco, "Nnco"},   {Ntut, "Ntut"},   {Natt, "Natt"},       {Nabout, "Nabout"},
        {N1, "N1"},       {N2, "N2"},       {N3, "N3"},           {N8, "N8"},
        {N9, "N9"}};
    for (const auto& [action, name] : names) {
        action->setObjectName(QLatin1String(name));
    }
    Nfile->setObjectName(QStringLiteral("Nfile"));
    Nser->setObjectName(QStringLiteral("Nser"));
    Npom->setObjectName(QStringLiteral("Npom"));
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    applyMenuEnabling();
}

void TForm1::setRecognitionInterval(int ms) {
    Timer1->setInterval(ms);
}

void TForm1::buildTimers() {
    Timer1 = new IntervalTimer(100, this);
    Timer2 = new IntervalTimer(1, this);
    Timer5 = new IntervalTimer(60000, this);
    TimerIcon = new IntervalTimer(100, this);
    TimerMouseMove = new IntervalTimer(1, this);
    TimerVolConst = new IntervalTimer(250, this);
    TimerMousePos = new IntervalTimer(10, this);
    const std::pair<IntervalTimer*, const char*> names[] = {{Timer1, "Timer1"},
                                                            {Timer2, "Timer2"},
                                                            {Timer5, "Timer5"},
                                                            {TimerIcon, "TimerIcon"},
                                                            {TimerMouseMove, "TimerMouseMove"},
                                                            {TimerVolConst, "TimerVolConst"},
                                                            {TimerMousePos, "TimerMousePos"}};
    for (const auto& [timer, name] : names) {
        timer->setObjectName(QLatin1String(name));
    }
    connect(Timer2, &IntervalTimer::timeout, this, &TForm1::Timer2Timer);
}

void TForm1::runStartup() {
    const StartupResult startup = Startup::run(state_, errors_);
    applyGeometry(startup);
    TreeView1->rebuild(state_.table);
    port_ = startup.port;
    connectReception();
    Timer1->setInterval(startup.recognitionIntervalMs);
}

void TForm1::applyGeometry(const StartupResult& startup) {
    const SettingsFile::ReadGeometry& g = startup.geometry;
    if (g.left || g.top) {
        move(g.left.value_or(x()), g.top.value_or(y()));
    }
    if (g.rightPanelW || g.rightPanelH) {
        resize(g.rightPanelW.value_or(width()), g.rightPanelH.value_or(height()));
    }
    if (g.leftPanelW) {
        Splitter->setSizes({*g.leftPanelW, qMax(0, Splitter->width() - *g.leftPanelW - 2)});
        TreeViewPanel->resize(*g.leftPanelW, TreeViewPanel->height());
    }
    rememberTreeWidth();
}

// A load selects the header, which counts as a selection change. A learning
// dialog still open would otherwise teach whatever command now sits in its slot.
// The pane shows the header (an empty summary, empty controls) instead of a
// command of the table that was replaced; the menu items stay as they were, as
// after any load.
void TForm1::reloadTree() {
    summaryWaiting_.reset();  // the memo is emptied below
    if (runner_) {
        runner_->tutoringF()->tableReplaced();
    }
    TreeView1->rebuild(state_.table);
    TreeView1->selectIndex(0);  // also when the file holds the header alone
    TreeView1Change();
    if (TreeView1->nodeCount() > 0) {
        ListViewPanel->Memo1->clear();
        ListViewPanel->showListPositions({});
        ListViewPanel->loadControls(state_.table.slot(0), QStringLiteral("0"));
    }
}

bool TForm1::isCurrentCommandFile(const QString& path) const {
    return !state_.commandFilePath.isEmpty() &&
           QFileInfo(path).absoluteFilePath() ==
               QFileInfo(state_.commandFilePath).absoluteFilePath();
}

QString TForm1::dialogFolder() const {
    return EditingRules::dialogFolder(state_.commandFilePath, state_.programFolder);
}

// The lowest window still shows the property panel's last row whole: the bound is
// raised above 200 pixels where the menu bar, the status bar and the rows need it.
void TForm1::rememberTreeWidth() {
    treeWidth_ = TreeViewPanel->width();
    const int rows =
        menuBar()->sizeHint().height() + statusBar()->height() + ListViewPanel->rowsHeight();
    setMinimumSize(treeWidth_ + kPropertyPaneMinimum, qMax(kMinimumHeight, rows));
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    rememberTreeWidth();
}

void TForm1::SplitterMoved() {
    rememberTreeWidth();
    if (ListViewPanel->Panel2->width() < kPropertyPaneMinimum) {
        resize(TreeView1->width() + kPropertyPaneMinimum, height());
    }
}

WindowGeometry TForm1::currentGeometry() const {
    return {x(), y(), TreeViewPanel->width(), TreeViewPanel->height(), width(), height()};
}

QString TForm1::statusText() const {
    return StatusBar1->text();
}

void TForm1::applyMenuEnabling() {
    Nnpu->setEnabled(menus_.Nnpu);
    Nnco->setEnabled(menus_.Nnco);
    Ntut->setEnabled(menus_.Ntut);
    Natt->setEnabled(menus_.Natt);
    N1->setEnabled(menus_.N1);
    N2->setEnabled(menus_.N2);
    N3->setEnabled(menus_.N3);
}

void TForm1::Timer2Timer() {
    mouseStart_ = platform_.cursorPos();
    if (state_.settings.loadMinimized == QLatin1String("yes")) {
        hide();
        showTrayIcon();
        state_.inTray = QStringLiteral("yes");
        // Started straight into the tray, with the session for instance: the volume
        // steps start from the output's volume, not from silence.
        runner_->volume().takeReference();
    } else {
        show();
        RxTrayIcon1->hide();
        state_.inTray = QStringLiteral("no");
    }
    Timer2->setEnabled(false);
    Q_EMIT startupStepDone();
}

// Where no tray exists, the window goes to the task bar minimised instead, so the
// user can always get back to it.
void TForm1::showTrayIcon() {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        RxTrayIcon1->show();
        return;
    }
    if (!noTraySaid_) {
        noTraySaid_ = true;
        std::fprintf(stderr, "quenda: no system tray; the window is minimised instead\n");
    }
    showMinimized();
}

void TForm1::NRunClick() {
    showTrayIcon();
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        hide();
    }
    state_.inTray = QStringLiteral("yes");
    runner_->volume().takeReference();
}

void TForm1::RxTrayIcon1DblClick() {
    state_.inTray = QStringLiteral("no");
    showNormal();
    activateWindow();
    RxTrayIcon1->hide();
}

void TForm1::NexitClick() {
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // Changes that no save has settled: ask whether to save them first.
    if (!settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    event->accept();
    runner_->closePort();
    RxTrayIcon1->hide();
    QApplication::quit();
}

void TForm1::NopenClick() {
    const QString path = prompts_.openFileName(dialogFolder(), kCommandFileFilter);
    if (path.isEmpty() || !settleUnsavedChanges()) {
        return;
    }
    const CommandFile::FileResult loaded =
        CommandFile::loadFromFile(path, state_.table, state_.messages);
    if (!loaded.ok) {
        errors_.report(loaded.error);
        return;
    }
    state_.adoptCommandFile(path, loaded);
    state_.changed = false;
    if (loaded.report.recordsLeftOut > 0) {
        errors_.report(
            CommandFile::leftOutMessage(state_.messages, path, loaded.report.recordsLeftOut));
    }
    reloadTree();
}

// The settings and the command table are written each on its own: one that fails
// does not keep the other from the disk.
void TForm1::NsaveClick() {
    for (const QString& error : {writeSettings(), saveCommandTable()}) {
        if (!error.isEmpty()) {
            errors_.report(error);
        }
    }
}

QString TForm1::writeSettings() {
    const QStringList settings = SettingsFile::write(state_.settings, currentGeometry());
    return TextFile::write(state_.settingsPath(), settings, state_.settingsEncoding,
                           state_.messages);
}

QString TForm1::saveCommandTable() {
    if (TreeView1->nodeCount() == 0) {
        return QString();
    }
    // Nothing named yet: ask for a name, and keep it for the next Save.
    QString path = state_.commandFilePath.isEmpty() ? askSaveName() : state_.commandFilePath;
    if (path.isEmpty() || !confirmDroppingRecords(path)) {
        return QString();
    }
    const QString error = saveTableTo(path);
    if (error.isEmpty()) {
        state_.commandFilePath = path;
        state_.commandRecordsLeftOut = 0;  // the file holds what the table holds now
    }
    return error;
}

void TForm1::NsaveAsClick() {
    QString path = askSaveName();
    if (path.isEmpty() || !confirmDroppingRecords(path)) {
        return;
    }
    if (const QString error = saveTableTo(path); !error.isEmpty()) {
        errors_.report(error);
    } else if (isCurrentCommandFile(path)) {
        state_.commandRecordsLeftOut = 0;
    }
}

QString TForm1::askSaveName() {
    // The extension is added after the dialog: the question about replacing a file
    // is asked then, for the name that is really written.
    const QString chosen = prompts_.saveFileName(dialogFolder(), kCommandFileFilter);
    if (chosen.isEmpty()) {
        return QString();
    }
    const QString path = EditingRules::withCommandFileExtension(chosen);
    if (QFileInfo::exists(path) &&
        !prompts_.yesNo(kTitle, UserMessages::replaceExisting(state_.messages, path))) {
        return QString();
    }
    return path;
}

bool TForm1::confirmDroppingRecords(QString& path) {
    if (state_.commandRecordsLeftOut == 0 || !isCurrentCommandFile(path)) {
        return true;
    }
    const QString question = UserMessages::recordsWouldBeDropped(
        state_.messages, path, state_.commandRecordsLeftOut, CommandTable::kMaxCommands);
    switch (prompts_.writeOrElsewhere(kTitle, question, NsaveAs->text())) {
        case Prompts::Overflow::Write:
            return true;
        case Prompts::Overflow::WriteElsewhere:
            path = askSaveName();
            return !path.isEmpty();
        case Prompts::Overflow::Cancel:
            break;
    }
    return false;
}

QString TForm1::saveTableTo(const QString& path) {
    const CommandFile::FileResult saved =
        CommandFile::saveToFile(path, state_.table, state_.commandFileEncoding, state_.messages);
    if (!saved.ok) {
        return saved.error;
    }
    state_.changed = false;
    return QString();
}

void TForm1::NserClick() {
    menus_.serviceMenuOpened(TreeView1->nodeCount() == 0);
    applyMenuEnabling();
}

void TForm1::TreeView1Change() {
    const int node = TreeView1->selectedIndex();
    if (node < 0) {
        return;
    }
    StatusBar1->setText(QLatin1Char(' ') + state_.table.caption(node));
    if (TreeView1->nodeCount() > 0) {
        ListViewPanel->Panel5->show();
        ListViewPanel->Panel2->hide();
        TimerMousePos->setEnabled(false);
        QApplication::setApplicationDisplayName(QString());
        setWindowTitle(kTitle);
    }
}

void TForm1::TreeView1Click() {
    if (TreeView1->nodeCount() > 0) {
        ShowProperties();
    }
}

void TForm1::PopupMenu1Popup() {
    if (TreeView1->nodeCount() > 0) {
        ShowProperties();
    }
}

bool TForm1::ShowProperties() {
    ListViewPanel->Panel4->hide();
    const int slot = TreeView1->selectedIndex();
    if (slot < 0) {
        return true;
    }
    const bool onlyHeader = TreeView1->nodeCount() == 1;
    if (slot == 0) {
        showSummary(nullptr);
        menus_.headerShown(onlyHeader);
        applyMenuEnabling();
        return true;
    }
    menus_.commandShown();
    applyMenuEnabling();
    const Command& command = state_.table.slot(slot);
    if (const std::optional<QString> error = showSummary(&command)) {
        errors_.report(*error);
        return false;
    }
    const QString seconds = command.pause.size() < 3 ? QStringLiteral("0")
                                                     : PropertySummary::secondsText(
                                                           *NumberText::toInt(command.pause),
                                                           QLocale::system().decimalPoint().at(0));
    ListViewPanel->loadControls(command, seconds);
    return true;
}

// The summary and the list positions are made at once, the list positions shown
// (the editing handlers and a new language read them); writing the summary into
// Memo1 only paints, and while the window is hidden (in the tray, where recognition
// runs) it waits until the window is shown. No command: the header, an empty memo.
std::optional<QString> TForm1::showSummary(const Command* command) {
    SummaryText summary;
    std::optional<QString> error;
    if (command) {
        PropertySummary::ListPositions lists;
        const PropertySummary::Result built = PropertySummary::build(
            *command, ListViewPanel->summaryCaptions(), ListViewPanel->listItems(), lists,
            QLocale::system().decimalPoint().at(0));
        ListViewPanel->showListPositions(lists);
        summary.text = built.lines.join(QLatin1Char('\n'));
        error = built.error;
        summary.caretToStart =
            !error && command->typeAction == QLatin1String("Combination command");
    }
    if (isVisible()) {
        summaryWaiting_.reset();
        writeSummary(summary);
    } else {
        summaryWaiting_ = summary;
    }
    return error;
}

void TForm1::writeSummary(const std::optional<SummaryText>& summary) {
    QPlainTextEdit* memo = ListViewPanel->Memo1;
    memo->clear();
    if (!summary || summary->text.isNull()) {
        return;
    }
    memo->setPlainText(summary->text);
    if (summary->caretToStart) {
        memo->moveCursor(QTextCursor::Start);
        memo->ensureCursorVisible();
    }
}

void TForm1::showEvent(QShowEvent* event) {
    if (summaryWaiting_) {
        writeSummary(summaryWaiting_);
        summaryWaiting_.reset();
    }
    QMainWindow::showEvent(event);
}
