#pragma once

#include "state/AppState.h"
#include "state/Ui.h"

// The picture's size and the count of extracted points in the first two
// status panels, as every repaint of the main window shows them.
void ShowPictureStatus(const AppState& state, Ui& ui);
