#pragma once

#include <QDialog>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
struct AppState;
class Ui;

// "Rotate Canvas": turns the picture clockwise by a typed angle. A fixed
// dialog without title-bar buttons, shown modally; it has neither a default
// nor a cancel button, so Enter and Esc do nothing.
class TForm3 : public QDialog {
  Q_OBJECT

 public:
  TForm3(AppState& state, Ui& ui, QWidget* parent = nullptr);

  // Controls, named as on the form, in tab order after the label.
  QLabel* Label1 = nullptr;
  QLineEdit* RotateEdit = nullptr;
  QPushButton* Clockwise = nullptr;
  QPushButton* ExitBtn = nullptr;
  QPushButton* ResetBtn = nullptr;

  void ClockwiseClick();
  void ResetBtnClick();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void enableButtons(bool enabled);

  AppState& state_;
  Ui& ui_;
};
