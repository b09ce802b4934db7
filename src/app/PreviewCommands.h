#pragma once

#include <functional>
#include <string>

#include "state/AppState.h"
#include "state/Ui.h"

// Commands of the data preview window.

// Rebuilds PreviewSeries from the data arrays as one series of black filled
// circles 4 pixels across without lines, over the shorter array's length.
// Returns false, leaving PreviewSeries alone, when either array is empty:
// there is nothing to draw.
bool RebuildPreviewSeries(AppState& state);

// Esc in the preview window: asks a running extraction to stop.
void PreviewEscape(AppState& state, Ui& ui);

// Reads a number from an edit field's text with the given count of decimals.
using NumberReader = std::function<double(const std::string& text, int digits)>;

// Reads the four axis fields through `readNumber` into VminValue, VmaxValue,
// MinValue and MaxValue (as they stand, a reversed pair is not exchanged),
// titles, shows and repaints the preview window.
void ShowDataPreviewUsing(AppState& state, Ui& ui, const NumberReader& readNumber);

// The same with the program's own number reading (TextToNumber); defined in
// ShowDataPreview.cpp.
void ShowDataPreview(AppState& state, Ui& ui);
