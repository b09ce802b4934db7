#pragma once

#include "extract/thorough/ThoroughSearch.h"

struct AppState;
class Ui;

// The scan of a Create ASCII run in the thorough mode: reads the
// calibration, finds every symbol like the unit picture's (the user's unit
// rectangle, margins and all) in WorkImage with FindSymbolsThorough, turns
// each real-valued centre into a data point with the same linear rule as the
// default scan, sorts the points by velocity unless the run was stopped, and
// repaints the main window and the preview. Match % and Strict Match are not
// read; WorkImage and the unit are left as they are.
void ExtractDataPointsThorough(AppState& state, Ui& ui, const ThoroughOptions& options = {});

// Edit > "Thorough matching" checked or unchecked: the mode of the next runs.
// While it is on, "Match %" and "Strict Match" are shown disabled.
void ThoroughMatchingClick(AppState& state, Ui& ui, bool checked);
