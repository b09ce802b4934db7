#include "extract/ExtractDataPoints.h"

#include <string>
#include <utility>

#include "extract/DataPointList.h"
#include "state/AppState.h"
#include "state/PassProgress.h"
#include "state/Ui.h"

namespace {

// Shows the scan's progress in the windows and records its occurrences.
class RunObserver final : public ScanObserver {
 public:
  RunObserver(AppState& state, Ui& ui) : state_(state), ui_(ui) {}

  void rowStarted(int y, int height) override {
    ui_.setStatusText(StatusProgress, PassStatusText(y + 1, height));
  }
  void pointFound(int x2, int y, int anchor) override { RecordDataPoint(state_, ui_, x2, y, anchor); }
  void repaintDue() override { ui_.repaintMain(); }
  void handlePendingMessages() override { ui_.processPendingMessages(); }
  bool stopRequested() const override { return state_.StopRequested; }

 private:
  AppState& state_;
  Ui& ui_;
};

}  // namespace

void ExtractDataPoints(AppState& state, Ui& ui, const ScanOptions& options) {
  Bitmap original = state.WorkImage;
  BeginSpectrum(state, ui);
  // The panel with the check box is disabled during the run, so one reading holds for every score.
  const ScanParameters parameters{state.MatchFraction, state.TemplateWeight, ui.strictMatchChecked()};
  RunObserver observer(state, ui);
  ScanForSymbols(state.WorkImage, state.UnitTemplate, parameters, observer, options);
  FinishSpectrum(state);
  state.WorkImage = std::move(original);
  ui.repaintMain();
  ui.repaintPreview();
}
