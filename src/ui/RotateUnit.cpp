#include "ui/RotateUnit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "image/RotationCommands.h"

namespace {

constexpr int ClientWidth = 337;
constexpr int ClientHeight = 101;

QPushButton* MakeButton(const QString& caption, QWidget* parent, int left, int top, int width, int height) {
  auto* button = new QPushButton(caption, parent);  // owned by parent
  button->setGeometry(left, top, width, height);
  // No button answers Enter on the dialog's behalf.
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

}  // namespace

TForm3::TForm3(AppState& state, Ui& ui, QWidget* parent) : QDialog(parent), state_(state), ui_(ui) {
  setWindowTitle("Rotate Canvas");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFixedSize(ClientWidth, ClientHeight);
  setModal(true);
  // MS Sans Serif at 8 points is 11 pixels high; Liberation Sans stands in
  // where it is missing.
  QFont dialogFont;
  dialogFont.setFamilies({"MS Sans Serif", "Liberation Sans", "Arial"});
  dialogFont.setPixelSize(11);
  setFont(dialogFont);

  Label1 = new QLabel("Rotation angle:", this);  // owned by the dialog, as the controls below
  Label1->setGeometry(16, 16, 90, 16);
  RotateEdit = new QLineEdit("0.00", this);
  RotateEdit->setGeometry(112, 16, 73, 24);
  Clockwise = MakeButton("Rotate Clockwise", this, 200, 16, 121, 25);
  ExitBtn = MakeButton("Exit", this, 112, 64, 73, 25);
  ResetBtn = MakeButton("Reset Original", this, 16, 64, 81, 25);
  setTabOrder(RotateEdit, Clockwise);
  setTabOrder(Clockwise, ExitBtn);
  setTabOrder(ExitBtn, ResetBtn);

  connect(Clockwise, &QPushButton::clicked, this, &TForm3::ClockwiseClick);
  connect(ResetBtn, &QPushButton::clicked, this, &TForm3::ResetBtnClick);
  connect(ExitBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm3::ClockwiseClick() {
  RotateClockwiseCommand(state_, ui_, [this](bool enabled) { enableButtons(enabled); });
}

void TForm3::ResetBtnClick() {
  ResetOriginalCommand(state_, ui_);
}

void TForm3::enableButtons(bool enabled) {
  for (QPushButton* button : {ResetBtn, Clockwise, ExitBtn}) button->setEnabled(enabled);
}

void TForm3::keyPressEvent(QKeyEvent* event) {
  // Without a cancel button Esc does not close the dialog.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
