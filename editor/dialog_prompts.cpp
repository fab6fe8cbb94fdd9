#include "editor/dialog_prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

QString DialogPrompts::openFileName(const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(window_, QString(), folder, filter);
}

QString DialogPrompts::saveFileName(const QString& folder, const QString& filter) {
    return QFileDialog::getSaveFileName(window_, QString(), folder, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

bool DialogPrompts::yesNo(const QString& title, const QString& question) {
    QMessageBox box(QMessageBox::Question, title, question, QMessageBox::Yes | QMessageBox::No,
                    window_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

Prompts::Unsaved DialogPrompts::saveDiscardCancel(const QString& title, const QString& question) {
    QMessageBox box(QMessageBox::Question, title, question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, window_);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return Unsaved::Save;
        case QMessageBox::Discard:
            return Unsaved::Discard;
        default:
            return Unsaved::Cancel;
    }
}

Prompts::Overflow DialogPrompts::writeOrElsewhere(const QString& title, const QString& question,
                                                  const QString& elsewhere) {
    QMessageBox box(QMessageBox::Warning, title, question, QMessageBox::Cancel, window_);
    QPushButton* write = box.addButton(QMessageBox::Save);
    QPushButton* other = box.addButton(QMessageBox::SaveAll);
    other->setText(elsewhere);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == write) {
        return Overflow::Write;
    }
    return box.clickedButton() == other ? Overflow::WriteElsewhere : Overflow::Cancel;
}
