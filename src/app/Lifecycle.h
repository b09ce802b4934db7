#pragma once

#include <string>

#include "state/AppState.h"
#include "state/Ui.h"

inline constexpr const char* PreviewTitle = "ASCII form of the data";

// Start-up after the bitmaps and windows exist: empties the data arrays, sets
// the preview captions, derives the program's paths from the executable's
// path, points the open dialog there and reads the settings files.
void StartUp(AppState& state, Ui& ui, const std::string& executablePath);

// The close question and the writing of the settings. True when the main
// window may close; the data arrays are then emptied.
bool CloseMainWindow(AppState& state, Ui& ui);
