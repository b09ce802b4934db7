#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "image/PdfPages.h"
#include "output/DataFormats.h"
#include "state/PictureEdit.h"
#include "state/Rect.h"

struct CliCommand {
  enum class Kind { Help, Version, Extract, Edit };
  Kind kind = Kind::Help;
  std::string picture;                // the first picture
  std::vector<std::string> pictures;  // every picture given (extract may take several)
  DataFormat format = DataFormat::Ascii;
  int jobs = 0;              // pictures worked on at once; 0: as many as the machine has cores
  std::optional<Rect> unit;  // inclusive, as typed (clipped later)
  // Field texts, converted exactly as the window's fields are.
  std::string vmin = "-5.0";
  std::string vmax = "5.0";
  std::string min = "0.90";
  std::string max = "1.00";
  std::string match = "60";
  bool matchGiven = false;  // --match appeared
  bool strict = false;
  bool thorough = false;  // the thorough mode; --match and --strict then do nothing
  // One point per channel: "auto" or the number of channels (checked when
  // parsed); it implies the thorough mode's matching.
  std::optional<std::string> channels;
  std::string output;           // empty: standard output (extract only)
  std::string overlay;          // extract: the picture with the found points drawn, as PNG; empty: none
  std::string setup;            // extract: the setup file to take the unit and the rest from
  std::string saveSetup;        // extract: where to write the run's setup
  std::set<std::string> given;  // every option that appeared
  std::vector<EditStep> edits;  // in the order given
  PdfPageChoice pdf;            // --page, --dpi: of a PDF document, the page rendered and its resolution
};

// Parses the words after the program name. Option values follow as the next
// word or after "="; a value may start with a minus sign. On a usage error
// returns nothing and sets `error` to a one-line description.
std::optional<CliCommand> ParseCliArguments(const std::vector<std::string>& words, std::string& error);

// The text with line ends, tabs and other control characters written as
// escapes (\n, \t, \x1b), so that a message quoting it stays one line.
std::string PrintableText(const std::string& text);

// "L,T,R,B" as four integers.
std::optional<Rect> ParseRectText(const std::string& text);

extern const char* const CliUsage;
