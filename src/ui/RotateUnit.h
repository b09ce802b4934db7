#pragma once

#include <QDialog>

struct AppState;
class Ui;

// "Rotate Canvas": turns the picture clockwise by a typed angle.
class TForm3 : public QDialog {
  Q_OBJECT

 public:
  TForm3(AppState& state, Ui& ui, QWidget* parent = nullptr);

 private:
  AppState& state_;
  Ui& ui_;
};
