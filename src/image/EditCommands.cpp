#include "image/EditCommands.h"

#include <algorithm>

#include "Stringop/DecimalReading.h"
#include "image/DiscardColour.h"
#include "image/GreyLimit.h"
#include "image/ReducePixels.h"
#include "image/RegionEdits.h"
#include "state/Viewport.h"

namespace {

constexpr int WhitestLimit = 255;

PassProgress StatusCounter(Ui& ui) {
  return [&ui](int step, int total) { ui.setStatusText(StatusProgress, PassStatusText(step, total)); };
}

// The selected picture rectangle, when a selection is active and covers at
// least one pixel.
bool SelectedArea(const AppState& state, Rect& area) {
  if (!state.SelectionActive) return false;
  area = MapSelectionToBitmap(state);
  return CoversPixels(area);
}

// Repaints and puts the selection back: the repaint ends it, the clears keep it.
void RepaintKeepingSelection(AppState& state, Ui& ui) {
  const bool active = state.SelectionActive;
  ui.repaintMain();
  state.SelectionActive = active;
  ui.drawSelectionOutline();
}

void Commit(AppState& state) {
  state.BaseImage = state.WorkImage;
}

// The found points' centres no longer match a changed picture.
void ForgetCentres(AppState& state) {
  state.FoundCentres.clear();
}

}  // namespace

std::string NotAnIntegerMessage(const std::string& text) {
  return "'" + text + "' is not a valid integer value";
}

void GreyLimitCommand(AppState& state, Ui& ui, const std::function<void()>& focusButtonPanel) {
  if (state.RunInProgress) return;
  ui.setBusy(true);
  ui.setStatusText(StatusProgress, "Status: Working...");
  state.WorkImage = state.BaseImage;
  ForgetCentres(state);

  const std::string text = ui.fieldText(Field::WhiteLimit);
  std::int32_t limit = 0;
  if (ReadWholeNumber(text, limit)) {
    limit = std::clamp(limit, 0, WhitestLimit);
    state.GreyLimit = limit;
    ui.setFieldText(Field::WhiteLimit, std::to_string(limit));
    ApplyGreyLimit(state.WorkImage, limit);
    state.PictureEdits.push_back({EditStep::Kind::GreyLimit, std::to_string(limit)});
  } else {
    ui.showError(NotAnIntegerMessage(text));
    // The picture went back to the last committed one, as the whitest limit leaves it.
    state.PictureEdits.push_back({EditStep::Kind::GreyLimit, std::to_string(WhitestLimit)});
  }

  ui.repaintMain();
  ui.setBusy(false);
  if (focusButtonPanel && ui.isEnabled(Control::ButtonPanel)) focusButtonPanel();
  ui.setStatusText(StatusProgress, "Status: Ready");
}

void DiscardColourCommand(AppState& state, Ui& ui) {
  if (state.RunInProgress) return;
  if (ui.ask(QuestionType::Confirmation, QuestionButtons::YesCancel, "Discard color information ?") !=
      Answer::Yes) {
    return;
  }
  ForgetCentres(state);
  DiscardColour(state.WorkImage, StatusCounter(ui));
  state.PictureEdits.push_back({EditStep::Kind::DiscardColour});
  ui.setStatusText(StatusProgress, "Status: Ready");
  ui.repaintMain();
}

void ReduceBitmapCommand(AppState& state, Ui& ui) {
  if (state.RunInProgress || !CanReducePixels(state.WorkImage)) return;
  if (ui.ask(QuestionType::Confirmation, QuestionButtons::YesCancel, "Reduce the number of pixels ?") !=
      Answer::Yes) {
    return;
  }
  // What is shown, grey limit and discarded colour included, is what is halved.
  Commit(state);
  ForgetCentres(state);
  ReducePixels(state.WorkImage, StatusCounter(ui));
  state.PictureEdits.push_back({EditStep::Kind::Reduce});
  Commit(state);
  ui.setStatusText(StatusProgress, "Status: Ready");
  ui.repaintMain();
}

namespace {

// Clear inside and Clear outside: the selection stays where it was.
void ClearCommand(AppState& state, Ui& ui, void (*clear)(Bitmap&, const Rect&), EditStep::Kind kind) {
  Rect area;
  if (state.RunInProgress || !SelectedArea(state, area)) return;
  ForgetCentres(state);
  clear(state.WorkImage, area);
  state.PictureEdits.push_back({kind, {}, area});
  RepaintKeepingSelection(state, ui);
  Commit(state);
}

}  // namespace

void ClearInsideCommand(AppState& state, Ui& ui) {
  ClearCommand(state, ui, &ClearInside, EditStep::Kind::ClearInside);
}

void ClearOutsideCommand(AppState& state, Ui& ui) {
  ClearCommand(state, ui, &ClearOutside, EditStep::Kind::ClearOutside);
}

void CropImageCommand(AppState& state, Ui& ui) {
  Rect area;
  if (state.RunInProgress || !SelectedArea(state, area)) return;
  ForgetCentres(state);
  CropToArea(state.WorkImage, area);
  state.PictureEdits.push_back({EditStep::Kind::Crop, {}, area});
  ui.repaintMain();
  // The selection's pixels have moved: none stays active.
  state.SelectionActive = false;
  Commit(state);
}

void DeleteKeyCommand(AppState& state, Ui& ui) {
  ClearInsideCommand(state, ui);
}
