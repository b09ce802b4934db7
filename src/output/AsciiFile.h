#pragma once

#include <string>

#include "Stringop/FileReplacing.h"
#include "state/AppState.h"
#include "state/Ui.h"

// The text "Save ASCII data" writes: the header line, then one
// "velocity,value" line per stored point, six decimals each, CR LF after
// every line. Never reads beyond the stored points.
std::string AsciiFileText(const AppState& state, const std::string& dataStatus,
                          const std::string& picturePath);

// File > "Save ASCII data".
void SaveAsciiDataCommand(AppState& state, Ui& ui);
