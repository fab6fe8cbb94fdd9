#pragma once

#include <QDialog>
#include <array>

#include "core/app_state.h"
#include "reception/learning.h"

class QFrame;
class QLabel;
class QPushButton;

// The learning dialog: "Заново" starts collecting, the recognition pass hands every
// code to learningStep() meanwhile, "Принять" stores the learned code in the selected
// command and "Удалить" erases the command's code. The five panels show the progress.
// The controls are found by their names: Label1, the panels L1 to L5, and Button1 to
// Button3 ("Заново", "Принять", "Удалить").
class TtutoringF : public QDialog, public Learning::Indicator {
    Q_OBJECT
  public:
    explicit TtutoringF(AppState& state, QWidget* parent = nullptr);

    // Opens modally over the main window (see DialogPlacement::placeOver) for the
    // command in the slot. Returns Accepted when the command's code was stored or erased.
    int NtutClick(const QWidget& mainWindow, int slot);

    // Called by the recognition pass while learningMode is "y".
    void learningStep(const QString& code);
    // Another command file replaced the table: the command being taught is gone, so
    // an open dialog closes without storing anything.
    void tableReplaced();

    void Button1Click();  // "Заново"
    void Button2Click();  // "Принять"
    void Button3Click();  // "Удалить"
    void FormClose();

    // Learning::Indicator: the panel colours are the state of the run.
    std::uint32_t panelColor(int panel) const override;
    void setPanelColor(int panel, std::uint32_t rgb) override;
    void setAcceptEnabled(bool enabled) override;

  public Q_SLOTS:
    // Every way of closing (the buttons, the close box, Escape) comes through here.
    void done(int result) override;

  private:
    QLabel* Label1;
    std::array<QFrame*, Learning::kPanels> panels_;  // L1 to L5
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;

    AppState& state_;
    int slot_ = -1;
};
