#include "app/RunExtraction.h"

#include "app/PreviewCommands.h"
#include "extract/ChannelExtraction.h"
#include "extract/ExtractDataPoints.h"
#include "extract/PrepareTemplate.h"
#include "extract/ThoroughExtraction.h"

void CreateBtnClick(AppState& state, Ui& ui) {
  if (state.RunInProgress) return;
  std::optional<ChannelCount> channels;
  if (state.OnePointPerChannel) {
    const std::string text = ui.fieldText(Field::Channels);
    channels = ParseChannelCount(text);
    if (!channels) {
      ui.showMessage(ChannelCountRefusal(text));
      return;
    }
  }
  ui.setStatusText(StatusProgress, "Status: Starting...");
  state.StopRequested = false;
  state.RunInProgress = true;
  ui.setEnabled(Control::ButtonPanel, false);
  ui.setBusy(true);
  state.DataPointCount = 0;

  state.ChannelReport.clear();
  std::string channelMessage;
  if (channels) {
    ShowDataPreview(state, ui);
    channelMessage = ExtractDataPointsPerChannel(state, ui, *channels);
  } else if (state.ThoroughMatching) {
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
  if (!channelMessage.empty()) ui.showMessage(channelMessage);
}
