#include "settings/about_box.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "core/program_identity.h"
#include "forms/dialog_placement.h"

namespace {

QLabel* label(QWidget* parent, const char* name, const QRect& place) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(place);
    l->setAttribute(Qt::WA_TranslucentBackground);
    return l;
}

}  // namespace

TAboutF::TAboutF(const AppState& state, QWidget* mainWindow) : QDialog(mainWindow), state_(state) {
    setObjectName(QStringLiteral("TAboutF"));
    setWindowTitle(QStringLiteral("О программе ..."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFixedSize(231, 185);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
    QPalette navy = palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    setPalette(navy);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(10, 7, 208, 135);
    Image1 = new QLabel(GroupBox1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 208, 135);
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap(ProgramIdentity::kIconPath));
    Bevel2 = new QFrame(GroupBox1);
    Bevel2->setObjectName(QStringLiteral("Bevel2"));
    Bevel2->setGeometry(0, 0, 208, 135);
    Bevel2->setFrameStyle(QFrame::Box | QFrame::Sunken);

    Label6 = label(GroupBox1, "Label6", {10, 47, 188, 16});
    QFont bold = font;
    bold.setBold(true);
    Label6->setFont(bold);
    Label6->setText(QStringLiteral("Version ") + QLatin1String(QUENDA_VERSION));
    Label1 = label(GroupBox1, "Label1", {9, 77, 189, 16});
    Label1->setText(ProgramIdentity::kTitle);
    Bevel1 = new QFrame(GroupBox1);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setGeometry(9, 94, 189, 2);
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    // The two lines below end at the line's right end, whatever their language's length.
    Label4 = label(GroupBox1, "Label4", {9, 102, 189, 16});
    Label5 = label(GroupBox1, "Label5", {9, 118, 189, 16});
    for (QLabel* right : {Label4, Label5}) {
        right->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(145, 150, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TAboutF::Button1Click);

    if (mainWindow) {
        if (QAction* about = mainWindow->findChild<QAction*>(QStringLiteral("Nabout"))) {
            connect(about, &QAction::triggered, this,
                    [this, mainWindow] { NaboutClick(*mainWindow); });
        }
    }
}

void TAboutF::prepare(const QWidget& mainWindow) {
    Label4->setText(state_.messages.text(Messages::Id::AboutDescription));
    Label5->setText(state_.messages.text(Messages::Id::AboutLicence));
    DialogPlacement::placeOver(*this, mainWindow);
}

int TAboutF::NaboutClick(const QWidget& mainWindow) {
    prepare(mainWindow);
    return exec();
}

void TAboutF::Button1Click() {
    accept();
}
