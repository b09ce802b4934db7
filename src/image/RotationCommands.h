#pragma once

#include <functional>

#include "state/AppState.h"
#include "state/Ui.h"

// Switches the rotation dialog's three buttons on (true) or off (false).
using EnableRotationButtons = std::function<void(bool enabled)>;

// Edit > "Rotate bitmap": commits the shown picture, starts the angle total
// afresh, runs the dialog through `showDialogModally`, and commits whatever
// the dialog left shown once it has closed, however it was closed.
void RotateBitmapCommand(AppState& state, Ui& ui, const std::function<void()>& showDialogModally);

// "Rotate Clockwise": adds the angle of the angle field (degrees; a text that
// is not a number adds 0) to RotationTotal and shows BaseImage turned by the
// whole total. The buttons come back, the margin is trimmed and the window
// repainted even when the turn fails part-way; the failure is then shown as
// an error.
void RotateClockwiseCommand(AppState& state, Ui& ui, const EnableRotationButtons& enableButtons);

// "Reset Original": back to the picture the dialog opened with.
void ResetOriginalCommand(AppState& state, Ui& ui);
