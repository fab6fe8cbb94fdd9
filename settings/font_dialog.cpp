#include "settings/font_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "core/settings_record.h"

namespace {

const char* const kColorNames[] = {
    "clBlack",  "clMaroon", "clGreen", "clOlive",  "clNavy", "clPurple",  "clTeal", "clGray",
    "clSilver", "clRed",    "clLime",  "clYellow", "clBlue", "clFuchsia", "clAqua", "clWhite"};

QColor colorOf(std::uint32_t value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

}  // namespace

namespace FontDialog {

bool run(QWidget* parent, QFont& font, QColor& color) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("FontDialog1"));
    dialog.setWindowTitle(QStringLiteral("Font"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* fonts = new QFontDialog(font, &dialog);
    fonts->setWindowFlags(Qt::Widget);
    fonts->setOption(QFontDialog::NoButtons);
    layout->addWidget(fonts);
    auto* colors = new QComboBox(&dialog);
    colors->setObjectName(QStringLiteral("ColorList"));
    for (const char* name : kColorNames) {
        std::uint32_t value = 0;
        FontColors::valueOf(QLatin1String(name), value);
        QPixmap swatch(16, 16);
        swatch.fill(colorOf(value));
        colors->addItem(QIcon(swatch), QLatin1String(name).mid(2), QVariant::fromValue(value));
        if (colorOf(value) == color) {
            colors->setCurrentIndex(colors->count() - 1);
        }
    }
    layout->addWidget(colors);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    font = fonts->currentFont();
    color = colorOf(colors->currentData().toUInt());
    return true;
}

}  // namespace FontDialog
