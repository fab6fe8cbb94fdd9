#include "settings/properties_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QToolButton>

#include "actions/mouse_control.h"
#include "actions/overlay_font.h"
#include "core/number_text.h"
#include "core/port_settings.h"
#include "core/settings_file.h"
#include "core/startup.h"
#include "core/text_file.h"
#include "editor/command_runner.h"
#include "editor/editing_rules.h"
#include "editor/main_window.h"
#include "forms/dialog_placement.h"
#include "settings/dialog_values.h"
#include "settings/font_dialog.h"
#include "settings/language_applier.h"
#include "settings/language_table.h"
#include "settings/overlay_windows.h"

namespace {

constexpr int kRow = 21;

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->move(x, y);
    l->adjustSize();
    return l;
}

QComboBox* list(QWidget* parent, const char* name, const QStringList& items, QRect place) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);  // a typed text is kept as typed
    box->addItems(items);
    box->setGeometry(place.x(), place.y(), place.width(), kRow);
    return box;
}

QLineEdit* edit(QWidget* parent, const QString& name, int maxLength, QRect place) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    e->setGeometry(place.x(), place.y(), place.width(), kRow);
    return e;
}

// The recognition fields hold hexadecimal byte texts: what is typed becomes upper case.
QLineEdit* upperEdit(QWidget* parent, const QString& name, int maxLength, QRect place) {
    QLineEdit* e = edit(parent, name, maxLength, place);
    QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = e->cursorPosition();
            e->setText(upper);
            e->setCursorPosition(cursor);
        }
    });
    return e;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->move(x, y);
    box->adjustSize();
    return box;
}

QGroupBox* group(QWidget* page, const char* name, const QString& title) {
    auto* box = new QGroupBox(title, page);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(6, 6, 326, 202);
    return box;
}

QString yesNo(bool on) {
    return on ? QStringLiteral("yes") : QStringLiteral("no");
}

void setListText(QComboBox* box, const QString& text) {
    box->setEditText(text);
}

}  // namespace

TPropertiesF::TPropertiesF(TForm1& form, AppState& state, Platform& platform, ErrorReporter& errors,
                           Prompts& prompts)
    : QDialog(&form),
      form_(form),
      state_(state),
      platform_(platform),
      errors_(errors),
      prompts_(prompts) {
    setObjectName(QStringLiteral("TPropertiesF"));
    setWindowTitle(QStringLiteral("Параметры"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFixedSize(362, 288);
    QFont font = this->font();
    font.setPixelSize(11);
    setFont(font);

    runModal = [](QDialog& dialog) { return dialog.exec(); };
    runFontDialog = [this](QFont& f, QColor& c) { FontDialog::run(this, f, c); };
    waitMs = [](int ms) { QThread::msleep(ms); };
    fontDialogFont = QFont(QStringLiteral("MS Sans Serif"));
    fontDialogFont.setBold(true);
    fontDialogFont.setPixelSize(24);
    fontDialogColor = Qt::red;

    // The creation step, for the whole program. The dialog's own controls are
    // built when it first opens: nothing on its pages is needed before, and the
    // main window shows sooner without them.
    mouseStep_ = state_.settings.stepMouse;
    applyLanguage();
    applyOverlayFont();
    // "Move: continuously/on step" brings back the step the settings hold now.
    if (TCommandRunner* runner = form_.runner()) {
        runner->mouse().configuredStep = [this] { return mouseStep_; };
    }
    if (QAction* open = form.findChild<QAction*>(QStringLiteral("NParam"))) {
        connect(open, &QAction::triggered, this, &TPropertiesF::NParamClick);
    }
}

void TPropertiesF::buildControls() {
    if (PageControl1) {
        return;
    }
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(8, 8, 346, 242);
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    TabSheet3 = new QWidget;
    TabSheet4 = new QWidget;
    const std::pair<QWidget*, const char*> pages[] = {{TabSheet1, "TabSheet1"},
                                                      {TabSheet2, "TabSheet2"},
                                                      {TabSheet3, "TabSheet3"},
                                                      {TabSheet4, "TabSheet4"}};
    for (const auto& [page, name] : pages) {
        page->setObjectName(QLatin1String(name));
    }
    PageControl1->addTab(TabSheet1, QStringLiteral("Главная"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Последовательный порт"));
    PageControl1->addTab(TabSheet3, QStringLiteral("Распознавание"));
    PageControl1->addTab(TabSheet4, QStringLiteral("Прочие"));
    buildPage1();
    buildPage2();
    buildPage3();
    buildPage4();

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(279, 257, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TPropertiesF::Button1Click);
    connectFields();

    LanguageApplier::apply(languageTexts_, {this});
    loadControls();
}

void TPropertiesF::buildPage1() {
    GroupBox1 = group(TabSheet1, "GroupBox1", QStringLiteral(" Опции "));
    Label10 = label(GroupBox1, "Label10", QStringLiteral("Операционная система:"), 12, 26);
    ComboBox8 = list(GroupBox1, "ComboBox8",
                     {"Windows XP", "Windows 2000", "Windows ME", "Windows 98", "Windows 95"},
                     {186, 22, 128, 0});
    ComboBox8->setEditText(QStringLiteral("Windows XP"));
    CheckBox1 =
        checkBox(GroupBox1, "CheckBox1", QStringLiteral("Загружать при запуске Windows"), 12, 52);
    CheckBox2 =
        checkBox(GroupBox1, "CheckBox2", QStringLiteral("Загружать свернутым в окно"), 12, 76);
    Label1 = label(GroupBox1, "Label1", QStringLiteral("Открывать файл при запуске:"), 12, 104);
    Edit2 = edit(GroupBox1, QStringLiteral("Edit2"), 100, {12, 120, 280, 0});
    Edit2->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
    SpeedButton2 = new QToolButton(GroupBox1);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QStringLiteral("..."));
    SpeedButton2->setGeometry(293, 120, 21, kRow);
    Label2 = label(GroupBox1, "Label2", QStringLiteral("Язык интерфейса:"), 12, 156);
    ComboBox1 = list(GroupBox1, "ComboBox1", {"English", "Russian", "Other"}, {186, 152, 128, 0});
    for (QWidget* bold : {static_cast<QWidget*>(Label2), static_cast<QWidget*>(ComboBox1)}) {
        QFont f = bold->font();
        f.setBold(true);
        bold->setFont(f);
    }
    Label2->adjustSize();
}

void TPropertiesF::buildPage2() {
    GroupBox2 = group(TabSheet2, "GroupBox2", QStringLiteral(" Конфигурация "));
    Label3 = label(GroupBox2, "Label3", QStringLiteral("Последовательный порт:"), 12, 26);
    ComboBox2 =
        list(GroupBox2, "ComboBox2", {"COM 1", "COM 2", "COM 3", "COM 4"}, {204, 22, 110, 0});
    Label5 = label(GroupBox2, "Label5", QStringLiteral("Baud:"), 12, 52);
    ComboBox3 = list(GroupBox2, "ComboBox3",
                     {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"},
                     {204, 48, 110, 0});
    Label6 = label(GroupBox2, "Label6", QStringLiteral("Data bits:"), 12, 78);
    ComboBox4 = list(GroupBox2, "ComboBox4", {"5", "6", "7", "8"}, {204, 74, 110, 0});
    Label7 = label(GroupBox2, "Label7", QStringLiteral("Stop bits:"), 12, 104);
    ComboBox5 = list(GroupBox2, "ComboBox5", {"1", "2"}, {204, 100, 110, 0});
    LabelDevice = label(GroupBox2, "LabelDevice", QStringLiteral("Устройство приемника:"), 12, 128);
    ComboBoxDevice = list(GroupBox2, "ComboBoxDevice", {}, {12, 144, 302, 0});
    ComboBoxDevice->lineEdit()->setMaxLength(100);  // what the settings file keeps
    Label4 = label(GroupBox2, "Label4", QStringLiteral("Пауза между приемом команд:"), 12, 176);
    Edit1 = edit(GroupBox2, QStringLiteral("Edit1"), 4, {254, 172, 60, 0});
}

void TPropertiesF::buildPage3() {
    GroupBox4 = group(TabSheet3, "GroupBox4", QStringLiteral(" Настройки "));
    Label19 = label(GroupBox4, "Label19", QStringLiteral("Начало команды с:"), 12, 26);
    LstartSmb = upperEdit(GroupBox4, QStringLiteral("LstartSmb"), 50, {150, 22, 164, 0});
    Label14 = label(GroupBox4, "Label14", QStringLiteral("Исключить из команды:"), 12, 54);
    Label15 = label(GroupBox4, "Label15", QStringLiteral("Заменить в команде:"), 12, 102);
    Label17 = label(GroupBox4, "Label17", QStringLiteral("с:"), 12, 126);
    Label16 = label(GroupBox4, "Label16", QStringLiteral("на:"), 12, 150);
    for (int i = 0; i < 8; ++i) {
        const int x = 42 + i * 34;
        ErecDel[i] =
            upperEdit(GroupBox4, QStringLiteral("ErecDel%1").arg(i + 1), 2, {x, 72, 30, 0});
        ErecRepFr[i] =
            upperEdit(GroupBox4, QStringLiteral("ErecRepFr%1").arg(i + 1), 2, {x, 122, 30, 0});
        ErecRepTo[i] =
            upperEdit(GroupBox4, QStringLiteral("ErecRepTo%1").arg(i + 1), 2, {x, 146, 30, 0});
    }
}

void TPropertiesF::buildPage4() {
    GroupBox3 = group(TabSheet4, "GroupBox3", QStringLiteral(" Настройки "));
    CheckBox3 = checkBox(GroupBox3, "CheckBox3", QStringLiteral("Проигрывать звуки"), 12, 22);
    Button2 = new QPushButton(QStringLiteral("Font"), GroupBox3);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(254, 18, 60, 23);
    connect(Button2, &QPushButton::clicked, this, &TPropertiesF::Button2Click);
    CheckBox4 =
        checkBox(GroupBox3, "CheckBox4", QStringLiteral("Показывать команды  (сек.):"), 12, 48);
    ComboBox6 = list(GroupBox3, "ComboBox6", {"1", "2", "3", "4", "5"}, {254, 46, 60, 0});
    ComboBox6->setEditText(QStringLiteral("3"));
    Label11 = label(GroupBox3, "Label11", QStringLiteral("Выключение (перезагрузка) через (сек.):"),
                    12, 80);
    Edit3 = edit(GroupBox3, QStringLiteral("Edit3"), 3, {254, 76, 60, 0});
    Edit3->setText(QStringLiteral("999"));
    Label8 = label(GroupBox3, "Label8", QStringLiteral("Шаг таймера (мин.):"), 12, 104);
    ComboBox7 = list(GroupBox3, "ComboBox7", {"2", "5", "10"}, {254, 100, 60, 0});
    ComboBox7->setEditText(QStringLiteral("10"));
    Label9 = label(GroupBox3, "Label9", QStringLiteral("Предел таймера (мин.):"), 12, 128);
    Edit4 = edit(GroupBox3, QStringLiteral("Edit4"), 3, {254, 124, 60, 0});
    Edit4->setText(QStringLiteral("120"));
    Label12 = label(GroupBox3, "Label12", QStringLiteral("Шаг движения мыши:"), 12, 152);
    Edit5 = edit(GroupBox3, QStringLiteral("Edit5"), 2, {254, 148, 60, 0});
    Edit5->setText(QStringLiteral("15"));
    Label13 = label(GroupBox3, "Label13",
                    QStringLiteral("Шаг движения мыши при нажатой левой кнопке:"), 12, 176);
    ComboBox9 =
        list(GroupBox3, "ComboBox9", {"1", "2", "3", "4", "5", "10", "15"}, {254, 172, 60, 0});
    ComboBox9->setEditText(QStringLiteral("3"));
}

// The fields taken on change, and the check boxes, whose every click (also one a
// program makes) writes their field.
void TPropertiesF::connectFields() {
    SettingsRecord& s = state_.settings;
    const std::pair<QComboBox*, QString*> onChange[] = {
        {ComboBox8, &s.typeSystem},      {ComboBox2, &s.comNumber},
        {ComboBox3, &s.comBaud},         {ComboBox4, &s.comDataBits},
        {ComboBox5, &s.comStopBits},     {ComboBoxDevice, &s.comDevice},
        {ComboBox6, &s.showTimeCommand}, {ComboBox7, &s.timerStep}};
    for (const auto& [box, field] : onChange) {
        connect(box, &QComboBox::currentTextChanged, this,
                [field = field](const QString& text) { *field = text; });
    }
    connect(Edit2, &QLineEdit::textChanged, this, [&s](const QString& text) { s.loadFile = text; });
    connect(SpeedButton2, &QToolButton::clicked, this, &TPropertiesF::SpeedButton2Click);
    const std::pair<QCheckBox*, QString*> boxes[] = {{CheckBox1, &s.launchWithWindows},
                                                     {CheckBox2, &s.loadMinimized},
                                                     {CheckBox3, &s.playSounds},
                                                     {CheckBox4, &s.showCommand}};
    for (const auto& [box, field] : boxes) {
        connect(box, &QCheckBox::toggled, this, [field = field](bool on) { *field = yesNo(on); });
    }
    connect(CheckBox1, &QCheckBox::toggled, this,
            [this] { launchChanged = QStringLiteral("yes"); });
    // The language follows the typing, but a file is applied only for a complete
    // name: an item picked, Enter, or leaving the list.
    connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this,
            [&s](const QString& text) { s.language = text; });
    connect(ComboBox1, &QComboBox::activated, this, &TPropertiesF::ComboBox1Change);
    connect(ComboBox1->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (ComboBox1->currentText() != appliedLanguage_) {
            ComboBox1Change();
        }
    });
}

void TPropertiesF::loadControls() {
    const SettingsRecord& s = state_.settings;
    const std::pair<QCheckBox*, const QString*> boxes[] = {{CheckBox1, &s.launchWithWindows},
                                                           {CheckBox2, &s.loadMinimized},
                                                           {CheckBox3, &s.playSounds},
                                                           {CheckBox4, &s.showCommand}};
    for (const auto& [box, field] : boxes) {
        if (*field == QLatin1String("yes")) {
            box->setChecked(true);
        }
    }
    Edit2->setText(s.loadFile);
    {
        const QSignalBlocker block(ComboBox1);  // the file of this language is applied already
        ComboBox1->setEditText(s.language);
    }
    setListText(ComboBox2, s.comNumber);
    setListText(ComboBox3, s.comBaud);
    setListText(ComboBox4, s.comDataBits);
    setListText(ComboBox5, s.comStopBits);
    setListText(ComboBoxDevice, s.comDevice);
    LstartSmb->setText(s.recognizeStartSymbol);
    for (int i = 0; i < 8; ++i) {
        ErecDel[i]->setText(s.recognizeDelete[i]);
        ErecRepFr[i]->setText(s.recognizeChangeFrom[i]);
        ErecRepTo[i]->setText(s.recognizeChangeTo[i]);
    }
    setListText(ComboBox6, s.showTimeCommand);
    Edit1->setText(s.pauseCommand);
    Edit3->setText(s.pauseReboot);
    setListText(ComboBox7, s.timerStep);
    setListText(ComboBox8, s.typeSystem);
    Edit4->setText(s.timerAmbit);
    Edit5->setText(s.stepMouse);
    mouseStep_ = s.stepMouse;
    setListText(ComboBox9, s.stepMouseClick);
}

bool TPropertiesF::applyLanguage() {
    appliedLanguage_ = state_.settings.language;
    const QString path = LanguageFile::locate(state_.programFolder, state_.settings.language);
    const TextFile::ReadResult file =
        path.isEmpty() ? TextFile::ReadResult{} : TextFile::read(path, state_.messages);
    if (!file.lines) {
        const QString looked =
            path.isEmpty() ? LanguageFile::userPath(state_.programFolder, state_.settings.language)
                           : path;
        // A file refused for its size is named with its size instead.
        errors_.report(file.tooLarge
                           ? file.error
                           : state_.messages.text(Messages::Id::LanguageFileMissing).arg(looked));
        return false;
    }
    const LanguageTexts texts = LanguageFile::read(*file.lines);
    LanguageApplier::apply(texts, QApplication::topLevelWidgets());
    languageTexts_ = texts;
    for (auto it = texts.stored.cbegin(); it != texts.stored.cend(); ++it) {
        if (it.key() == LanguageTable::kDeleteTitle) {
            form_.deleteTitle = it.value();
        } else if (it.key() == LanguageTable::kDeletePrompt) {
            form_.deletePrompt = it.value();
        } else if (it.key().startsWith(QLatin1String("Msg."))) {
            state_.messages.set(it.key().mid(4), it.value());
        }
    }
    form_.unsavedQuestion = state_.messages.text(Messages::Id::UnsavedChanges);
    return true;
}

bool TPropertiesF::applyOverlayFont() {
    const std::optional<OverlayFont> font = OverlayFont::fromSettings(state_.settings);
    if (!font) {
        errors_.report(NumberText::invalidIntegerMessage(state_.settings.fontSize));
        return false;
    }
    OverlayWindows::apply(*font, form_.runner() ? form_.runner()->HintF() : nullptr,
                          QApplication::topLevelWidgets());
    return true;
}

void TPropertiesF::ComboBox1Change() {
    state_.settings.language = ComboBox1->currentText();
    applyLanguage();
}

void TPropertiesF::SpeedButton2Click() {
    const QString path = prompts_.openFileName(pickerFolder(), QStringLiteral("*.pci"));
    if (!path.isEmpty() &&
        EditingRules::pathFits(path, SettingsFile::kLoadFileKept,
                               state_.messages.text(Messages::Id::LoadFileTooLong), errors_)) {
        Edit2->setText(path);
    }
}

QString TPropertiesF::pickerFolder() const {
    return EditingRules::dialogFolder(Startup::commandFileOf(Edit2->text(), state_.programFolder),
                                      state_.programFolder);
}

void TPropertiesF::NParamClick() {
    buildControls();
    launchChanged = QStringLiteral("no");
    {
        // The devices present now; the field keeps whatever it names.
        const QSignalBlocker block(ComboBoxDevice);
        const QString shown = ComboBoxDevice->currentText();
        ComboBoxDevice->clear();
        ComboBoxDevice->addItems(QStringList{QString()} + DialogValues::serialDevices());
        ComboBoxDevice->setEditText(shown);
    }
    DialogPlacement::placeOver(*this, form_);
    runModal(*this);
    reopenPort();
}

void TPropertiesF::reopenPort() {
    TCommandRunner* runner = form_.runner();
    runner->closePort();
    const std::optional<PortSettings> port = PortSettings::fromSettings(state_.settings);
    const QString name =
        state_.settings.comDevice.isEmpty() ? state_.settings.comNumber : state_.settings.comDevice;
    if (!port) {
        errors_.report(state_.messages.text(Messages::Id::PortNotOpened)
                           .arg(name, state_.messages.text(Messages::Id::PortSettingsNotWhole)));
        return;
    }
    waitMs(300);
    if (!runner->openPort(*port)) {
        errors_.report(
            state_.messages.text(Messages::Id::PortNotOpened)
                .arg(port->device, state_.messages.text(Messages::Id::DeviceDoesNotOpen)));
    }
}

void TPropertiesF::Button1Click() {
    const DialogValues::Numbers numbers{Edit1->text(), Edit3->text(), ComboBox7->currentText(),
                                        Edit4->text(), Edit5->text(), ComboBox9->currentText()};
    if (const std::optional<DialogValues::Refusal> refused =
            DialogValues::check(numbers, state_.messages)) {
        errors_.report(state_.messages.text(Messages::Id::ValueRefused)
                           .arg(refused->field, refused->value, refused->reason));
        return;
    }
    SettingsRecord& s = state_.settings;
    s.pauseCommand = numbers.pauseCommand;
    form_.setRecognitionInterval(*NumberText::toInt(s.pauseCommand));
    s.pauseReboot = numbers.pauseReboot;
    s.timerStep = numbers.timerStep;
    s.timerAmbit = numbers.timerAmbit;
    s.stepMouse = numbers.stepMouse;
    mouseStep_ = numbers.stepMouse;
    s.stepMouseClick = numbers.stepMouseClick;
    s.recognizeStartSymbol = LstartSmb->text();
    for (int i = 0; i < 8; ++i) {
        s.recognizeDelete[i] = ErecDel[i]->text();
        s.recognizeChangeFrom[i] = ErecRepFr[i]->text();
        s.recognizeChangeTo[i] = ErecRepTo[i]->text();
    }
    if (!takeAutostart()) {
        return;
    }
    accept();
}

// Only a click on the box since the dialog opened touches the entry.
bool TPropertiesF::takeAutostart() {
    if (launchChanged != QLatin1String("yes")) {
        return true;
    }
    const QString program = QCoreApplication::applicationFilePath();
    const QString entry =
        platform_.autostartLocation().isEmpty() ? program : platform_.autostartLocation();
    if (CheckBox1->isChecked()) {
        if (!platform_.writeAutostart(program)) {
            errors_.report(state_.messages.text(Messages::Id::AutostartNotWritten).arg(entry));
            return false;
        }
        return true;
    }
    // An entry that is not there needs no deleting; one that stays is reported.
    platform_.deleteAutostart();
    if (platform_.autostartExists()) {
        errors_.report(state_.messages.text(Messages::Id::AutostartNotDeleted).arg(entry));
        return false;
    }
    return true;
}

void TPropertiesF::Button2Click() {
    const SettingsRecord& s = state_.settings;
    const std::optional<int> size = NumberText::toInt(s.fontSize);
    if (!size) {
        errors_.report(NumberText::invalidIntegerMessage(s.fontSize));
        return;
    }
    fontDialogFont.setFamily(s.fontName);
    fontDialogFont.setPointSize(*size);
    const OverlayFont colour{QString(), 0, s.fontColorValue, OverlayFont::Style::Unchanged};
    fontDialogColor = QColor(colour.red(), colour.green(), colour.blue());
    if (s.fontStyle == QLatin1String("fsItalic")) {
        fontDialogFont.setItalic(true);
        fontDialogFont.setBold(false);
    } else if (s.fontStyle == QLatin1String("fsBold")) {
        fontDialogFont.setBold(true);
        fontDialogFont.setItalic(false);
    }
    runFontDialog(fontDialogFont, fontDialogColor);
    takeFont();
    applyOverlayFont();
}

void TPropertiesF::takeFont() {
    SettingsRecord& s = state_.settings;
    s.fontName = fontDialogFont.family();
    s.fontSize = QString::number(fontDialogFont.pointSize());
    const std::uint32_t value = std::uint32_t(fontDialogColor.red()) |
                                (std::uint32_t(fontDialogColor.green()) << 8) |
                                (std::uint32_t(fontDialogColor.blue()) << 16);
    if (const QString name = FontColors::nameOf(value); !name.isEmpty()) {
        s.fontColorValue = value;
        s.fontColor = name;
    }
    const bool bold = fontDialogFont.bold();
    const bool italic = fontDialogFont.italic();
    const bool effects = fontDialogFont.underline() || fontDialogFont.strikeOut();
    if (italic && !bold && !effects) {
        s.fontStyle = QStringLiteral("fsItalic");
    } else if (bold && !italic && !effects) {
        s.fontStyle = QStringLiteral("fsBold");
    }
}
