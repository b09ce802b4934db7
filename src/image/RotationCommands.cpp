#include "image/RotationCommands.h"

#include <exception>
#include <optional>
#include <string>

#include "Stringop/NumberTextEditing.h"
#include "image/Rotation.h"

namespace {

// The digits the angle text is read with.
constexpr int AngleDigits = 6;

void Commit(AppState& state) {
  state.BaseImage = state.WorkImage;
}

}  // namespace

void RotateBitmapCommand(AppState& state, Ui& ui, const std::function<void()>& showDialogModally) {
  if (state.RunInProgress) return;
  state.RotationTotal = 0.0;
  state.RotationTurns.clear();
  Commit(state);
  if (showDialogModally) showDialogModally();
  // The turns that stand, as one edit.
  if (!state.RotationTurns.empty()) {
    EditStep step{EditStep::Kind::Rotate, state.RotationTurns.front()};
    if (state.RotationTurns.size() > 1) step.turns = state.RotationTurns;
    state.PictureEdits.push_back(std::move(step));
    state.RotationTurns.clear();
  }
  // The last turn shown stays; "Reset Original" before closing undoes it.
  Commit(state);
  ui.repaintMain();
}

void RotateClockwiseCommand(AppState& state, Ui& ui, const EnableRotationButtons& enableButtons) {
  if (state.RunInProgress) return;
  if (enableButtons) enableButtons(false);
  ui.setStatusText(StatusProgress, "Status: Starting...");

  std::optional<std::string> failure;
  try {
    const std::string angle = ui.fieldText(Field::RotateAngle);
    const double degrees = TextToNumber(angle, AngleDigits);
    state.RotationTurns.push_back(angle);
    state.RotationTotal += DegreesToRadians(degrees);
    // Every turn starts from the picture at opening, with the whole total.
    state.WorkImage = state.BaseImage;
    state.FoundCentres.clear();  // they no longer match the picture
    RotateOntoCanvas(state.WorkImage, state.RotationTotal, [&ui](int step, int total) {
      ui.setStatusText(StatusProgress, PassStatusText(step, total));
    });
  } catch (const std::exception& error) {
    failure = error.what();
  }

  // Closing steps: they run whether the turn finished or not.
  if (enableButtons) enableButtons(true);
  ui.setStatusText(StatusProgress, "Status: Finalizing...");
  int w = 0;
  int h = 0;
  TrimWhiteBorder(state.WorkImage, w, h);
  ui.setStatusText(StatusProgress, "Status: Ready");
  ui.repaintMain();
  if (failure) ui.showError(*failure);
}

void ResetOriginalCommand(AppState& state, Ui& ui) {
  if (state.RunInProgress) return;
  state.RotationTotal = 0.0;
  state.RotationTurns.clear();
  state.WorkImage = state.BaseImage;
  state.FoundCentres.clear();  // they no longer match the picture
  ui.repaintMain();
}
