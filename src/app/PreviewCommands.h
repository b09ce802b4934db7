#pragma once

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

// Reads the four axis fields (TextToNumber, 6 decimals) into VminValue,
// VmaxValue, MinValue and MaxValue (as they stand, a reversed pair is not
// exchanged), titles, shows and repaints the preview window.
void ShowDataPreview(AppState& state, Ui& ui);
