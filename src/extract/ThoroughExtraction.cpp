#include "extract/ThoroughExtraction.h"

#include <string>

#include "app/AppState.h"
#include "app/Ui.h"
#include "extract/DataPointList.h"
#include "image/PassProgress.h"

namespace {

// Shows the search's progress in the status bar and passes the stop flag on.
class RunObserver final : public ThoroughObserver {
 public:
  RunObserver(AppState& state, Ui& ui) : state_(state), ui_(ui) {}

  void rowStarted(int y, int height) override {
    ui_.setStatusText(StatusProgress, PassStatusText(y + 1, height));
  }
  void stageStarted(ThoroughStage stage) override {
    ui_.setStatusText(StatusProgress,
                      stage == ThoroughStage::Matching ? "Status: Working..." : "Status: Finalizing...");
  }
  void handlePendingMessages() override { ui_.processPendingMessages(); }
  bool stopRequested() const override { return state_.StopRequested; }

 private:
  AppState& state_;
  Ui& ui_;
};

}  // namespace

void ExtractDataPointsThorough(AppState& state, Ui& ui, const ThoroughOptions& options) {
  BeginSpectrum(state, ui);
  RunObserver observer(state, ui);
  const ThoroughResult result =
      FindSymbolsThorough(state.WorkImage, state.UnitImagePicture, observer, options);
  for (const ThoroughPoint& p : result.points) {
    RecordCentre(state, ui, static_cast<long double>(p.x), static_cast<long double>(p.y));
  }
  FinishSpectrum(state);
  ui.repaintMain();
  ui.repaintPreview();
}

void ThoroughMatchingClick(AppState& state, Ui& ui, bool checked) {
  state.ThoroughMatching = checked;
  ui.setEnabled(Control::MatchField, !checked);
  ui.setEnabled(Control::StrictMatch, !checked);
}
