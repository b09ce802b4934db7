#include "extract/ThoroughExtraction.h"

#include <string>

#include "extract/DataPointList.h"
#include "state/AppState.h"
#include "state/PassProgress.h"
#include "state/Ui.h"

ThoroughRunObserver::ThoroughRunObserver(AppState& state, Ui& ui) : state_(state), ui_(ui) {}

void ThoroughRunObserver::rowStarted(int y, int height) {
  ui_.setStatusText(StatusProgress, PassStatusText(y + 1, height));
}

void ThoroughRunObserver::stageStarted(ThoroughStage stage) {
  ui_.setStatusText(StatusProgress,
                    stage == ThoroughStage::Matching ? "Status: Working..." : "Status: Finalizing...");
}

void ThoroughRunObserver::handlePendingMessages() {
  ui_.processPendingMessages();
}

bool ThoroughRunObserver::stopRequested() const {
  return state_.StopRequested;
}

void RecordCentres(AppState& state, Ui& ui, const std::vector<ThoroughPoint>& centres) {
  for (const ThoroughPoint& p : centres) {
    RecordCentre(state, ui, static_cast<long double>(p.x), static_cast<long double>(p.y));
  }
  FinishSpectrum(state);
  ui.repaintMain();
  ui.repaintPreview();
}

void ExtractDataPointsThorough(AppState& state, Ui& ui, const ThoroughOptions& options) {
  BeginSpectrum(state, ui);
  ThoroughRunObserver observer(state, ui);
  RecordCentres(state, ui,
                FindSymbolsThorough(state.WorkImage, state.UnitImagePicture, observer, options).points);
}

void ShowMatchFields(const AppState& state, Ui& ui) {
  const bool used = !state.ThoroughMatching && !state.OnePointPerChannel;
  ui.setEnabled(Control::MatchField, used);
  ui.setEnabled(Control::StrictMatch, used);
}

void ThoroughMatchingClick(AppState& state, Ui& ui, bool checked) {
  state.ThoroughMatching = checked;
  ShowMatchFields(state, ui);
}
