#include "extract/RunExtraction.h"

#include "app/PreviewCommands.h"
#include "extract/ExtractDataPoints.h"
#include "extract/PrepareTemplate.h"
#include "extract/ThoroughExtraction.h"

void CreateBtnClick(AppState& state, Ui& ui) {
  if (state.RunInProgress) return;
  ui.setStatusText(StatusProgress, "Status: Starting...");
  state.StopRequested = false;
  state.RunInProgress = true;
  ui.setEnabled(Control::ButtonPanel, false);
  ui.setBusy(true);
  state.DataPointCount = 0;

  if (state.ThoroughMatching) {
    // The thorough mode takes the unit picture as it is and needs no Match %.
    ShowDataPreview(state, ui);
    ExtractDataPointsThorough(state, ui);
  } else {
    PrepareTemplate(state, ui);
    ShowDataPreview(state, ui);
    ExtractDataPoints(state, ui);
  }
  ui.repaintMain();
  ShowDataPreview(state, ui);

  ui.setBusy(false);
  ui.setEnabled(Control::ButtonPanel, true);
  state.RunInProgress = false;
  if (state.StopRequested) {
    ui.setStatusText(StatusProgress, "Status: Uncompleted");
    ui.setEnabled(Control::SaveAscii, false);
  } else {
    ui.setStatusText(StatusProgress, "Status: Ready");
    ui.setEnabled(Control::SaveAscii, true);
    // A run without points leaves no data waiting to be saved.
    if (state.DataPointCount > 0) state.AsciiSaved = false;
  }
  state.StopRequested = false;
}
