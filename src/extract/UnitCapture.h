#pragma once

#include "state/AppState.h"
#include "state/Ui.h"

// "Set as Unit": the selected picture pixels become the unit template and
// the picture of the unit control; "Create ASCII" becomes available.
void SetasUnitButtonClick(AppState& state, Ui& ui);

// The pixels of an inclusive picture rectangle (already ordered and clipped)
// become the unit template and the unit picture.
void CaptureUnitTemplate(AppState& state, Ui& ui, const Rect& area);
