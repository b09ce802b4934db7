#pragma once

#include "app/AppState.h"
#include "app/Ui.h"

// "Set as Unit": the selected picture pixels become the unit template and
// the picture of the unit control; "Create ASCII" becomes available.
void SetasUnitButtonClick(AppState& state, Ui& ui);
