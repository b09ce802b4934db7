#include "app/StatusTexts.h"

#include <string>

void ShowPictureStatus(const AppState& state, Ui& ui) {
  ui.setStatusText(StatusSize, "Size: " + std::to_string(state.WorkImage.width()) + " x " +
                                   std::to_string(state.WorkImage.height()));
  ui.setStatusText(StatusData, "ASCII data: " + std::to_string(state.DataPointCount));
}
