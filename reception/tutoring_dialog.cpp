#include "reception/tutoring_dialog.h"

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "forms/dialog_placement.h"

namespace {

constexpr int kWidth = 305;
constexpr int kHeight = 120;
constexpr int kPanelWidth = 49;
constexpr int kPanelHeight = 25;
constexpr int kPanelStep = 57;

}  // namespace

TtutoringF::TtutoringF(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("TtutoringF"));
    setWindowTitle(QStringLiteral("Обучение ..."));
    setFixedSize(kWidth, kHeight);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);

    Label1 = new QLabel(QStringLiteral("Индикатор приема посылок:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(12, 8, kWidth - 24, 17);

    for (int i = 0; i < Learning::kPanels; ++i) {
        auto* panel = new QFrame(this);
        panel->setObjectName(QStringLiteral("L%1").arg(i + 1));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setAutoFillBackground(true);
        panel->setGeometry(12 + i * kPanelStep, 32, kPanelWidth, kPanelHeight);
        panels_[i] = panel;
    }

    auto button = [this](const char* name, const QString& text, int left) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(left, 78, 89, 27);
        b->setAutoDefault(false);
        return b;
    };
    Button1 = button("Button1", QStringLiteral("Заново"), 12);
    Button2 = button("Button2", QStringLiteral("Принять"), 108);
    Button3 = button("Button3", QStringLiteral("Удалить"), 204);
    connect(Button1, &QPushButton::clicked, this, &TtutoringF::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TtutoringF::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TtutoringF::Button3Click);

    // The state a first opening finds: all red, nothing to accept or erase. The
    // shared learning flags are the program's, not touched before the first close.
    for (int panel = 1; panel <= Learning::kPanels; ++panel) {
        setPanelColor(panel, Learning::kRed);
    }
    Button2->setEnabled(false);
    Button3->setEnabled(false);
}

int TtutoringF::NtutClick(const QWidget& mainWindow, int slot) {
    slot_ = slot;
    DialogPlacement::placeOver(*this, mainWindow);
    return exec();
}

void TtutoringF::learningStep(const QString& code) {
    Learning::step(code, state_, *this);
}

void TtutoringF::tableReplaced() {
    if (isVisible()) {
        reject();
    }
}

void TtutoringF::Button1Click() {
    Button3->setEnabled(true);
    Learning::reset(state_, *this);
    state_.learningMode = QStringLiteral("y");
}

void TtutoringF::Button2Click() {
    if (slot_ >= 1 && slot_ < CommandTable::kSlots) {
        state_.table.slot(slot_).code = state_.learnedCode;
        state_.changed = true;
    }
    accept();
}

void TtutoringF::Button3Click() {
    if (slot_ >= 1 && slot_ < CommandTable::kSlots) {
        state_.table.slot(slot_).code.clear();
        state_.changed = true;
    }
    accept();
}

void TtutoringF::FormClose() {
    Button3->setEnabled(false);
    Learning::reset(state_, *this);
    state_.learningMode.clear();
}

void TtutoringF::done(int result) {
    FormClose();
    QDialog::done(result);
}

std::uint32_t TtutoringF::panelColor(int panel) const {
    return panels_.at(panel - 1)->palette().color(QPalette::Window).rgb() & 0xFFFFFFu;
}

void TtutoringF::setPanelColor(int panel, std::uint32_t rgb) {
    QFrame* frame = panels_.at(panel - 1);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(rgb));
    frame->setPalette(palette);
}

void TtutoringF::setAcceptEnabled(bool enabled) {
    Button2->setEnabled(enabled);
}
