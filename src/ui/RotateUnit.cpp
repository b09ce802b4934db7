#include "ui/RotateUnit.h"

TForm3::TForm3(AppState& state, Ui& ui, QWidget* parent) : QDialog(parent), state_(state), ui_(ui) {
  setWindowTitle("Rotate Canvas");
  setFixedSize(337, 101);
}
