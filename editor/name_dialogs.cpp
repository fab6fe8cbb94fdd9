#include "editor/name_dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/command_file.h"
#include "editor/character_limit.h"

namespace {

// The command file keeps 50 characters of a name; a longer one would come back cut.
constexpr int kNameKept = CommandFile::Kept::kName;

}  // namespace

TNameDialog::TNameDialog(const Texts& texts, QWidget* parent) : QDialog(parent) {
    setObjectName(QLatin1String(texts.objectName));
    setWindowTitle(texts.caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFixedSize(texts.clientSize);

    Label1 = new QLabel(texts.label, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(10, 10);
    Label1->adjustSize();

    Edit1 = new QLineEdit(texts.start, this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    limitToCharacters(Edit1, kNameKept);
    Edit1->setGeometry(10, 26, 151, 21);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(10, 56, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Отмена"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(87, 56, 75, 25);

    connect(Button1, &QPushButton::clicked, this, &TNameDialog::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TNameDialog::Button2Click);
}

void TNameDialog::Button1Click() {
    accept();
}

void TNameDialog::Button2Click() {
    reject();
}

TNewPultF::TNewPultF(QWidget* parent)
    : TNameDialog({"TNewPultF",
                   QStringLiteral("Новый заголовок"),
                   QStringLiteral("Наименование:"),
                   QStringLiteral("New header"),
                   {170, 91}},
                  parent) {}

TNewCommandF::TNewCommandF(QWidget* parent)
    : TNameDialog({"TNewCommandF",
                   QStringLiteral("Новая команда"),
                   QStringLiteral("Наименование:"),
                   QStringLiteral("New command"),
                   {172, 93}},
                  parent) {}

TRenameCommandF::TRenameCommandF(QWidget* parent)
    : TNameDialog({"TRenameCommandF",
                   QStringLiteral("Переименовать"),
                   QStringLiteral("Переименовать:"),
                   QString(),
                   {172, 93}},
                  parent) {}

QString TNameDialog::text() const {
    return Edit1->text();
}

void TNameDialog::setText(const QString& text) {
    Edit1->setText(text);
}

QString TNameDialog::cancelCaption() const {
    return Button2->text();
}
