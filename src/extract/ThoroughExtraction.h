#pragma once

#include "extract/thorough/ThoroughSearch.h"

struct AppState;
class Ui;

// Shows a thorough search's progress in the status bar and passes the stop
// flag (Esc) on.
class ThoroughRunObserver final : public ThoroughObserver {
 public:
  ThoroughRunObserver(AppState& state, Ui& ui);
  void rowStarted(int y, int height) override;
  void stageStarted(ThoroughStage stage) override;
  void handlePendingMessages() override;
  bool stopRequested() const override;

 private:
  AppState& state_;
  Ui& ui_;
};

// The scan of a Create ASCII run in the thorough mode: reads the
// calibration, finds every symbol like the unit picture's (the user's unit
// rectangle, margins and all) in WorkImage with FindSymbolsThorough, turns
// each real-valued centre into a data point with the same linear rule as the
// default scan, sorts the points by velocity unless the run was stopped, and
// repaints the main window and the preview. Match % and Strict Match are not
// read; WorkImage and the unit are left as they are.
void ExtractDataPointsThorough(AppState& state, Ui& ui, const ThoroughOptions& options = {});

// The end of such a scan: each centre becomes a data point (in the given
// order), the points are sorted unless the run was stopped, and the main
// window and the preview are repainted.
void RecordCentres(AppState& state, Ui& ui, const std::vector<ThoroughPoint>& centres);

// "Match %" and "Strict Match" enabled only while the default scan, which
// reads them, is the mode of the next runs.
void ShowMatchFields(const AppState& state, Ui& ui);

// Edit > "Thorough matching" checked or unchecked: the mode of the next runs.
// While it (or "One point per channel") is on, "Match %" and "Strict Match"
// are shown disabled.
void ThoroughMatchingClick(AppState& state, Ui& ui, bool checked);
