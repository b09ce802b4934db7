#pragma once

#include <string>

#include "cli/CliArguments.h"
#include "cli/HeadlessUi.h"
#include "state/AppState.h"

// Exit statuses of the command line.
constexpr int ExitSuccess = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// What a command-line step ends with: an exit status and, unless it
// succeeded, the one-line message naming the problem.
struct CliOutcome {
  int status = ExitSuccess;
  std::string message;
};

// Loads the picture and applies the edits in order, each as the window's
// command does it.
CliOutcome LoadAndEdit(AppState& state, HeadlessUi& ui, const CliCommand& command);

// `extract`: load, edit, capture the unit, run the extraction; `text` gets
// the bytes "Save ASCII data" would write (empty when no point was found).
CliOutcome RunExtractCommand(AppState& state, HeadlessUi& ui, const CliCommand& command, std::string& text);

// `edit`: load, edit, save the picture as a 24-bit BMP file.
CliOutcome RunEditCommand(AppState& state, HeadlessUi& ui, const CliCommand& command);

// `extract --overlay`: the picture as the run saw it with a marker at each
// point found, written as a PNG file (an earlier file of that name is
// replaced only by a complete one).
CliOutcome WriteOverlayPicture(const AppState& state, const std::string& path);
