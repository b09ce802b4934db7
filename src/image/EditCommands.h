#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "state/AppState.h"
#include "state/Ui.h"

// The picture edits of the main window. Each works on WorkImage, does nothing
// while an extraction run is under way, and ends with a repaint.

// Enter in the grey-limit field: WorkImage starts again from BaseImage and
// every pixel lighter than the typed limit (clamped to 0..255) turns white.
// `focusButtonPanel` moves the keyboard focus to the enabled button panel.
void GreyLimitCommand(AppState& state, Ui& ui, const std::function<void()>& focusButtonPanel = {});

// Edit > "Discard color information": coloured pixels become grey; the
// change is not committed.
void DiscardColourCommand(AppState& state, Ui& ui);

// Edit > "Reduce bitmap size": halves the picture in both directions and
// commits it.
void ReduceBitmapCommand(AppState& state, Ui& ui);

// The three selection buttons. The clears keep the selection active and its
// outline on screen; a crop ends it. Each commits the result.
void ClearInsideCommand(AppState& state, Ui& ui);
void ClearOutsideCommand(AppState& state, Ui& ui);
void CropImageCommand(AppState& state, Ui& ui);

// The Delete key, wherever the focus is: Clear Inside.
void DeleteKeyCommand(AppState& state, Ui& ui);

// The message for a grey-limit text that is not a whole number.
std::string NotAnIntegerMessage(const std::string& text);
