#pragma once

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "settings/about_box.h"
#include "settings/properties_dialog.h"
#include "tests/forms/form_fixture.h"

// The main window started from a program folder, then the settings dialog created
// after it as at start-up. The dialog's modal run is replaced by what the test does
// while it is open; the 300 ms pause before the port opens again is recorded.
class SettingsTest : public FormTest {
  protected:
    // Rewrites one line of QUENDA.ini ("Language: Russian" -> "Language: English").
    void setSetting(const QString& from, const QString& to) {
        QByteArray bytes = readBytes(QStringLiteral("QUENDA.ini"));
        bytes.replace(from.toUtf8(), to.toUtf8());
        QFile file(path(QStringLiteral("QUENDA.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void startWithLanguage(const QString& language) {
        writeCommandFile(QStringLiteral("remote.pci"), Remote::kHeader, Remote::commands());
        writeSettings(path(QStringLiteral("remote.pci")));
        setSetting(QStringLiteral("Language: Russian"), QStringLiteral("Language: ") + language);
        start();
        createDialog();
    }
    void createDialog() {
        about = std::make_unique<TAboutF>(state, form.get());
        dialog = std::make_unique<TPropertiesF>(*form, state, platform, errors, prompts);
        dialog->waitMs = [this](int ms) { waits << ms; };
    }
    // Opens the dialog from the menu; `whileOpen` acts on it, then it closes by OK
    // (when `ok`, and only if OK accepts) or by its close box.
    void openDialog(const std::function<void(TPropertiesF&)>& whileOpen, bool ok) {
        dialog->runModal = [&](QDialog&) {
            whileOpen(*dialog);
            if (ok) {
                dialog->Button1Click();
            }
            return dialog->result();
        };
        dialog->setResult(QDialog::Rejected);
        dialog->NParamClick();
    }
    static void pick(QComboBox* list, const QString& item) {
        list->setCurrentIndex(list->findText(item));
        Q_EMIT list->activated(list->currentIndex());
    }

    std::unique_ptr<TAboutF> about;
    std::unique_ptr<TPropertiesF> dialog;
    QList<int> waits;
};
