#pragma once

#include <QDialog>

#include "core/app_state.h"

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

// The about box: the program's picture, name, real version, a line on what it does
// and its licence. Created once at start-up; opened from the "?" menu.
class TAboutF : public QDialog {
    Q_OBJECT
  public:
    // Hooks itself to the main window's "About ..." item when `mainWindow` has one.
    TAboutF(const AppState& state, QWidget* mainWindow);

    // Places the box over the main window (see DialogPlacement::placeOver) and shows
    // it modally.
    int NaboutClick(const QWidget& mainWindow);
    // Fills the texts and places the box, without showing it.
    void prepare(const QWidget& mainWindow);
    void Button1Click();

  private:
    QGroupBox* GroupBox1;
    QFrame* Bevel2;
    QLabel* Image1;
    QLabel* Label6;  // "Version " and the version
    QLabel* Label1;  // the program's name
    QFrame* Bevel1;
    QLabel* Label4;  // what it does
    QLabel* Label5;  // the licence
    QPushButton* Button1;

    const AppState& state_;
};
