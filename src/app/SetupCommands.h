#pragma once

#include "app/SetupFile.h"
#include "state/AppState.h"
#include "state/Ui.h"

// The setup of the window as it stands: the unit picture, the fields, the
// options and the edits made before the unit was taken.
ExtractionSetup CurrentSetup(const AppState& state, const Ui& ui);

// Puts a setup into the window: the unit (shown, "Create ASCII" enabled),
// the fields and the options; the picture stays as it is.
void ApplySetup(AppState& state, Ui& ui, const ExtractionSetup& setup);

// File > "Save Setup...": refused with a message while there is no unit.
void SaveSetupCommand(AppState& state, Ui& ui);

// File > "Open Setup...": a file that is not a valid setup is refused with
// one message and nothing changes.
void OpenSetupCommand(AppState& state, Ui& ui);
