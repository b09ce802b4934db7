#pragma once

#include <string>

#include "state/AppState.h"

// The exchange list ("QuorvixFile.txt") the host suite reads: one line per
// saved data file.

// Appends the path as one line to the exchange list, when a file of that path exists.
void AppendExchangeList(const AppState& state, const std::string& path);
// Appends `line` (the short form of a saved file's path) when the file
// `savedPath` exists. The short form names the file on systems with 8.3
// aliases; elsewhere only the real path can be checked.
void AppendExchangeList(const AppState& state, const std::string& line, const std::string& savedPath);
