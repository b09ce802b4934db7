#pragma once

#include <string>

#include "state/AppState.h"
#include "state/Ui.h"

// The small files kept in the program's directory: the settings file, the
// last picture directory, the exchange list read by the host suite and the
// marker file. Every error of these files is dropped silently.

inline constexpr const char* SettingsFileName = "Quorvix.cfg";
inline constexpr const char* LastDirectoryFileName = "QuorvixDir.cfg";
inline constexpr const char* ExchangeListFileName = "QuorvixFile.txt";
inline constexpr const char* MarkerFileName = "QVID00FF.QVF";

std::string LastDirectoryPath(const AppState& state);

// Once at start-up: empties the exchange list, reads the settings into the
// variables and the fields, creates the marker when missing, and takes the
// stored open-dialog directory when it still exists.
void ReadSettings(AppState& state, Ui& ui);

// Once at close: fields to variables, the settings file, the marker rule and
// the last-directory file.
void WriteSettings(AppState& state, Ui& ui);

void SettingsToFields(const AppState& state, Ui& ui);
void FieldsToSettings(AppState& state, const Ui& ui);
