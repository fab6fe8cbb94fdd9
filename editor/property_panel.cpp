#include "editor/property_panel.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QToolButton>

#include "core/command_file.h"
#include "core/vocabulary.h"
#include "editor/character_limit.h"
#include "editor/editing_rules.h"

namespace {

constexpr int kRowHeight = 21;
constexpr int kCaptionRight = 109;  // every row caption ends at this x
constexpr int kPathKept = CommandFile::Kept::kPath;
constexpr int kKeyKept = CommandFile::Kept::kKey;
constexpr int kLastRowBottom = 143 + kRowHeight;

QFont boldFont(const QWidget* w) {
    QFont font = w->font();
    font.setBold(true);
    font.setPixelSize(13);
    return font;
}

// Setting a field's text also puts its cursor at the end and forgets its selection,
// its undo steps and its modified mark, and it notifies the accessibility layer,
// which is most of what showing a command costs. A field that is already as setting
// the text would leave it is left alone.
bool alreadyShows(const QLineEdit* edit, const QString& text) {
    return edit->text() == text && edit->cursorPosition() == text.size() &&
           !edit->hasSelectedText() && !edit->isModified() && !edit->isUndoAvailable() &&
           !edit->isRedoAvailable();
}

void setListText(QComboBox* box, const QString& text) {
    if (box->lineEdit() && alreadyShows(box->lineEdit(), text)) {
        return;
    }
    const QSignalBlocker block(box);
    box->setEditText(text);
}

void setEditText(QLineEdit* edit, const QString& text) {
    if (alreadyShows(edit, text)) {
        return;
    }
    const QSignalBlocker block(edit);
    edit->setText(text);
}

// A list that shows the item at the position already is left alone: moving it lays
// out its field anew even when nothing changes.
void showPosition(QComboBox* box, int position) {
    if (box->currentIndex() != position ||
        (position >= 0 && box->currentText() != box->itemText(position))) {
        const QSignalBlocker block(box);
        box->setCurrentIndex(position);
    }
    if (position < 0) {
        setListText(box, QString());
    }
}

// A row caption ends at the controls' edge; a caption too long for the room left of
// it (a wide system font, a long translation) is drawn smaller instead of cut.
class RowCaption : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent*) override {
        QFont font = this->font();
        while (QFontMetrics(font).horizontalAdvance(text()) > width()) {
            if (font.pixelSize() > 7) {
                font.setPixelSize(font.pixelSize() - 1);
            } else if (font.pixelSize() < 0 && font.pointSizeF() > 5) {
                font.setPointSizeF(font.pointSizeF() - 0.5);
            } else {
                break;
            }
        }
        QPainter painter(this);
        painter.setFont(font);
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(contentsRect(), int(alignment()), text());
    }
};

}  // namespace

void TDropDownComboBox::showPopup() {
    Q_EMIT dropDown();
    QComboBox::showPopup();
}

TPropertyPanel::TPropertyPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ListViewPanel"));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Panel4 = new QFrame(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel4->setAutoFillBackground(true);
    Panel4->setBackgroundRole(QPalette::Base);

    Panel5 = new QLabel(QStringLiteral(" Свойства"), this);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setGeometry(4, 5, 293, 17);
    Panel5->setFont(boldFont(this));
    Panel5->setAutoFillBackground(true);
    Panel5->setBackgroundRole(QPalette::Highlight);
    Panel5->setForegroundRole(QPalette::HighlightedText);
    Panel5->hide();

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setLineWidth(2);
    Panel2->setAutoFillBackground(true);
    buildPanel2();
    connectPauseSeconds();
    // The summary reads the items of the type and action lists by position; they
    // change only when a language is applied.
    for (QComboBox* box : {ComboBox1, ComboBox2, ComboBox8, ComboBox9, ComboBox10}) {
        QAbstractItemModel* model = box->model();
        const auto forget = [this] { listItems_.reset(); };
        connect(model, &QAbstractItemModel::rowsInserted, this, forget);
        connect(model, &QAbstractItemModel::rowsRemoved, this, forget);
        connect(model, &QAbstractItemModel::rowsMoved, this, forget);
        connect(model, &QAbstractItemModel::dataChanged, this, forget);
        connect(model, &QAbstractItemModel::modelReset, this, forget);
        connect(model, &QAbstractItemModel::layoutChanged, this, forget);
    }
    Panel4->raise();
    Panel5->raise();
    Panel2->raise();
}

QLabel* TPropertyPanel::rowCaption(const QString& name, const QString& text, int top) {
    auto* label = new RowCaption(text, Panel2);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(4, top, kCaptionRight - 4, kRowHeight);
    return label;
}

QComboBox* TPropertyPanel::list(const QString& name, const QStringList& items, QRect place,
                                QComboBox* box) {
    if (!box) {
        box = new QComboBox(Panel2);
    }
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // A typed text is stored as typed: no completion may change it behind the user.
    box->setCompleter(nullptr);
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setGeometry(place.x(), place.y(), place.width(), kRowHeight);
    return box;
}

void TPropertyPanel::buildPanel2() {
    namespace V = Vocabulary;
    PanCustNameLabel = new QLabel(QStringLiteral("Настройки"), Panel2);
    PanCustNameLabel->setObjectName(QStringLiteral("PanCustNameLabel"));
    PanCustNameLabel->setFont(boldFont(this));
    PanCustNameLabel->move(8, 5);
    PanCustNameLabel->adjustSize();

    LabelKodCommand =
        rowCaption(QStringLiteral("LabelKodCommand"), QStringLiteral("Код команды:"), 11);
    LabelKodCommand->hide();
    LabelTypeAction =
        rowCaption(QStringLiteral("LabelTypeAction"), QStringLiteral("Тип действия:"), 33);
    ComboBox1 = list(QStringLiteral("ComboBox1"), V::actionTypes().captions, {112, 33, 299, 1});

    LabelAction = rowCaption(QStringLiteral("LabelAction"), QStringLiteral("Действие:"), 55);
    ComboBox2 = list(QStringLiteral("ComboBox2"), V::runActions().captions, {112, 55, 299, 1});
    ComboBox8 = list(QStringLiteral("ComboBox8"), V::volumeActions().captions, {112, 55, 299, 1});
    ComboBox9 = list(QStringLiteral("ComboBox9"), V::computerActions().captions, {112, 55, 299, 1});
    ComboBox9->setMaxVisibleItems(2);
    ComboBox10 = list(QStringLiteral("ComboBox10"), V::mouseActions().captions, {112, 55, 299, 1});
    ComboBox10->setMaxVisibleItems(18);
    ComboBox11 = list(QStringLiteral("ComboBox11"), {}, {112, 55, 299, 1});
    for (QComboBox* box : {ComboBox2, ComboBox8, ComboBox9, ComboBox10}) {
        box->hide();
    }

    LabelPause = rowCaption(QStringLiteral("LabelPause"), QStringLiteral("Пауза"), 57);
    LabelPause->hide();
    Panel3 = new QFrame(Panel2);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(152, 55, 74, kRowHeight);
    ComboBox6 = new QComboBox(Panel3);
    ComboBox6->setObjectName(QStringLiteral("ComboBox6"));
    ComboBox6->setEditable(true);
    ComboBox6->setInsertPolicy(QComboBox::NoInsert);
    ComboBox6->setCompleter(nullptr);
    ComboBox6->addItems(V::pauseSeconds());
    ComboBox6->setEditText(QStringLiteral("0"));
    ComboBox6->setGeometry(1, 0, 45, kRowHeight);
    LabelSec = new QLabel(QStringLiteral("cек."), Panel3);
    LabelSec->setObjectName(QStringLiteral("LabelSec"));
    LabelSec->setGeometry(48, 0, 26, kRowHeight);
    Panel3->hide();

    Panel1 = new QFrame(Panel2);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(303, 55, 90, kRowHeight);
    Label11 = new QLabel(QStringLiteral(" X:"), Panel1);
    Label11->setObjectName(QStringLiteral("Label11"));
    Label11->setGeometry(0, 0, 15, kRowHeight);
    Edit4 = new QLineEdit(Panel1);
    Edit4->setObjectName(QStringLiteral("Edit4"));
    Edit4->setMaxLength(CommandFile::Kept::kNumber);
    Edit4->setGeometry(15, 0, 30, kRowHeight);
    Label12 = new QLabel(QStringLiteral("Y:"), Panel1);
    Label12->setObjectName(QStringLiteral("Label12"));
    Label12->setGeometry(47, 0, 12, kRowHeight);
    Edit5 = new QLineEdit(Panel1);
    Edit5->setObjectName(QStringLiteral("Edit5"));
    Edit5->setMaxLength(CommandFile::Kept::kNumber);
    Edit5->setGeometry(59, 0, 30, kRowHeight);
    Panel1->hide();

    LabelApplFile =
        rowCaption(QStringLiteral("LabelApplFile"), QStringLiteral("Приложение (файл):"), 77);
    Edit2 = new QLineEdit(Panel2);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(112, 77, 280, kRowHeight);
    limitToCharacters(Edit2, kPathKept);
    SpeedButton2 = new QToolButton(Panel2);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QStringLiteral("..."));
    SpeedButton2->setGeometry(393, 78, 16, 20);

    LabelWinCom = rowCaption(QStringLiteral("LabelWinCom"), QStringLiteral("Окно (команда):"), 99);
    ComboBox5 = new TDropDownComboBox(Panel2);
    list(QStringLiteral("ComboBox5"), {}, {112, 99, 299, 1}, ComboBox5);
    limitToCharacters(ComboBox5->lineEdit(), kPathKept);
    Edit6 = new QLineEdit(Panel2);
    Edit6->setObjectName(QStringLiteral("Edit6"));
    Edit6->setGeometry(112, 99, 281, kRowHeight);
    limitToCharacters(Edit6, EditingRules::kCombinationKept);
    Edit6->hide();

    LabelKey = rowCaption(QStringLiteral("LabelKey"), QStringLiteral("Клавиши:"), 121);
    ComboBox3 = list(QStringLiteral("ComboBox3"), V::modifiers(), {112, 121, 70, 1});
    auto* plus1 = new QLabel(QStringLiteral("+"), Panel2);
    plus1->setGeometry(183, 121, 8, kRowHeight);
    ComboBox7 = list(QStringLiteral("ComboBox7"), V::modifiers(), {192, 121, 70, 1});
    auto* plus2 = new QLabel(QStringLiteral("+"), Panel2);
    plus2->setGeometry(263, 121, 8, kRowHeight);
    ComboBox4 = list(QStringLiteral("ComboBox4"), QStringList{QString()} + V::keyNames(),
                     {272, 121, 139, 1});
    ComboBox4->setMaxVisibleItems(5);
    for (QComboBox* box : {ComboBox3, ComboBox7, ComboBox4}) {
        limitToCharacters(box->lineEdit(), kKeyKept);
    }

    LabelPlaySound =
        rowCaption(QStringLiteral("LabelPlaySound"), QStringLiteral("Проиграть файл:"), 143);
    Edit7 = new QLineEdit(Panel2);
    Edit7->setObjectName(QStringLiteral("Edit7"));
    Edit7->setGeometry(112, 143, 260, kRowHeight);
    limitToCharacters(Edit7, kPathKept);
    SpeedButton1 = new QToolButton(Panel2);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("..."));
    SpeedButton1->setGeometry(374, 143, 15, 20);
    SpeedButton3 = new QToolButton(Panel2);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton3->setIcon(QIcon(QStringLiteral(":/quenda/icons/play.png")));
    SpeedButton3->setGeometry(390, 143, 20, 20);
}

void TPropertyPanel::connectPauseSeconds() {
    connect(ComboBox6, &QComboBox::activated, this, [this] {
        pauseTyped_ = false;
        Q_EMIT pauseSecondsChosen();
    });
    connect(ComboBox6->lineEdit(), &QLineEdit::textEdited, this, [this] { pauseTyped_ = true; });
    connect(ComboBox6->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (pauseTyped_) {
            pauseTyped_ = false;
            Q_EMIT pauseSecondsChosen();
        }
    });
}

int TPropertyPanel::rowsHeight() const {
    return kLastRowBottom + 2 * Panel2->frameWidth() + 2;
}

void TPropertyPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QRect all(QPoint(0, 0), event->size());
    Memo1->setGeometry(all);
    Panel4->setGeometry(all);
    Panel2->setGeometry(all);
    layoutPanel2();
}

void TPropertyPanel::layoutPanel2() {
    const int w = Panel2->width();
    for (QComboBox* box : {ComboBox1, static_cast<QComboBox*>(ComboBox5), ComboBox2, ComboBox8,
                           ComboBox9, ComboBox10, ComboBox11}) {
        box->resize(w - 124, box->height());
    }
    Edit2->resize(w - 141, Edit2->height());
    Edit6->resize(w - 141, Edit6->height());
    Edit7->resize(w - 161, Edit7->height());
    SpeedButton2->move(w - 30, SpeedButton2->y());
    SpeedButton1->move(w - 49, SpeedButton1->y());
    SpeedButton3->move(w - 33, SpeedButton3->y());
}

void TPropertyPanel::loadControls(const Command& c, const QString& pauseSecondsText) {
    setEditText(Edit2, c.file);
    setListText(ComboBox3, c.keyAdd);
    setListText(ComboBox7, c.keyAdd1);
    setListText(ComboBox4, c.key);
    setListText(ComboBox5, c.windowHandle);
    setEditText(Edit4, c.mousePosX);
    setEditText(Edit5, c.mousePosY);
    setEditText(Edit7, c.fileSound);
    setEditText(Edit6, c.commandCombination);
    setListText(ComboBox6, pauseSecondsText);
    pauseTyped_ = false;
}

void TPropertyPanel::emptyControls() {
    for (QComboBox* box : {ComboBox1, ComboBox2, ComboBox8, ComboBox9, ComboBox10, ComboBox11,
                           ComboBox3, ComboBox7, ComboBox4, ComboBox6}) {
        showPosition(box, -1);
    }
    for (QLineEdit* edit : {Edit2, Edit6, Edit7, Edit4, Edit5}) {
        edit->clear();
    }
}

void TPropertyPanel::showListPositions(const PropertySummary::ListPositions& lists) {
    showPosition(ComboBox1, lists.type);
    showPosition(ComboBox2, lists.run);
    showPosition(ComboBox8, lists.volume);
    showPosition(ComboBox9, lists.computer);
    showPosition(ComboBox10, lists.mouse);
}

PropertySummary::Captions TPropertyPanel::summaryCaptions() const {
    return {LabelKodCommand->text(), LabelTypeAction->text(), LabelAction->text(),
            LabelPause->text(),      LabelSec->text(),        LabelApplFile->text(),
            LabelWinCom->text(),     LabelKey->text(),        LabelPlaySound->text()};
}

namespace {
QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        items << box->itemText(i);
    }
    return items;
}
}  // namespace

PropertySummary::ListItems TPropertyPanel::listItems() const {
    if (!listItems_) {
        listItems_ =
            PropertySummary::ListItems{itemsOf(ComboBox1), itemsOf(ComboBox2), itemsOf(ComboBox8),
                                       itemsOf(ComboBox9), itemsOf(ComboBox10)};
    }
    return *listItems_;
}

QString TPropertyPanel::combinationText() const {
    return Edit6->text();
}

QString TPropertyPanel::fileText() const {
    return Edit2->text();
}

QString TPropertyPanel::soundText() const {
    return Edit7->text();
}
