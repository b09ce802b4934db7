#pragma once

#include "extract/SymbolScan.h"

struct AppState;
class Ui;

// The scan of a Create ASCII run, after PrepareTemplate: reads the
// calibration, finds every occurrence of UnitTemplate in WorkImage (erasing
// each on WorkImage as it goes, so the main window shows the progress), turns
// each into a data point, sorts the points by velocity unless the run was
// stopped, restores WorkImage and repaints the main window and the preview.
// WorkImage and UnitTemplate must not be changed by anyone else meanwhile.
void ExtractDataPoints(AppState& state, Ui& ui, const ScanOptions& options = {});
