#pragma once

#include <optional>
#include <string>
#include <vector>

#include "state/Bitmap.h"
#include "state/PictureEdit.h"

// An extraction setup: what one picture's run needs beyond the picture, to be
// used again on others (File > "Save Setup...", "Open Setup...", and
// quorvix-cli's --save-setup and --setup). Written as JSON with a format
// version; the unit template's pixels as a base64 PNG.
struct ExtractionSetup {
  Bitmap unit;
  std::string vmin, vmax, min, max;  // the four axis texts, as typed
  std::string match;                 // Match %, as typed
  bool strict = false;
  bool thorough = false;
  bool onePointPerChannel = false;
  std::string channels = "auto";  // the "Channels" text
  std::vector<EditStep> edits;    // made to the picture before the unit was taken, in order
};

// The file's format version, and the largest template it holds.
constexpr int SetupFormatVersion = 1;
constexpr int LargestSetupTemplate = 1024;

// The setup as the bytes of a .qvsetup file.
std::string SetupFileText(const ExtractionSetup& setup);

// A setup read back; nothing and `why` (one line) when the bytes are not a
// valid setup: not JSON, another format or version, a key missing or of the
// wrong type, a template that does not decode or is larger than
// LargestSetupTemplate on a side.
std::optional<ExtractionSetup> ReadSetupFileText(const std::string& bytes, std::string& why);

// The same from and to a file: a plain file of at most a few megabytes is
// read; writing replaces an earlier file only with a complete one.
std::optional<ExtractionSetup> ReadSetupFile(const std::string& path, std::string& why);
bool WriteSetupFile(const std::string& path, const ExtractionSetup& setup, std::string& why);
