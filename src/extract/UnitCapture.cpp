#include "extract/UnitCapture.h"

#include "state/Viewport.h"

void SetasUnitButtonClick(AppState& state, Ui& ui) {
  if (!state.SelectionActive || state.RunInProgress) return;
  const Rect r = MapSelectionToBitmap(state);
  if (r.Left < 0) return;
  ui.setEnabled(Control::SetAsUnit, false);
  CaptureUnitTemplate(state, ui, r);
  ui.setEnabled(Control::CreateAscii, true);
  ui.setEnabled(Control::SetAsUnit, true);
}

void CaptureUnitTemplate(AppState& state, Ui& ui, const Rect& r) {
  // The rectangle is inclusive; the copy takes exclusive edges.
  state.UnitTemplate.setSize(r.Right - r.Left + 1, r.Bottom - r.Top + 1);
  state.UnitTemplate.copyRect(0, 0, state.WorkImage, {r.Left, r.Top, r.Right + 1, r.Bottom + 1});
  state.UnitImagePicture = state.UnitTemplate;
  state.UnitEdits = state.PictureEdits;
  ui.unitPictureChanged();
}
