#pragma once

#include <string>

#include "app/AppState.h"
#include "app/Ui.h"

// The text "Save ASCII data" writes: the header line, then one
// "velocity,value" line per stored point, six decimals each, CR LF after
// every line. Never reads beyond the stored points.
std::string AsciiFileText(const AppState& state, const std::string& dataStatus,
                          const std::string& picturePath);

// Writes `content` to `path` through a temporary file in the same folder
// that replaces the target only when complete: a failure leaves an earlier
// file of that name untouched and no partial file behind.
bool WriteFileReplacing(const std::string& path, const std::string& content);

// File > "Save ASCII data".
void SaveAsciiDataCommand(AppState& state, Ui& ui);
