#pragma once

#include <optional>
#include <string>

#include "state/AppState.h"

// The formats quorvix-cli writes the points in: the "Save ASCII data" file
// (the default), comma- and tab-separated values with a header row, and JSON.
enum class DataFormat { Ascii, Csv, Tsv, Json };

// "ascii", "csv", "tsv" or "json".
std::optional<DataFormat> ParseDataFormat(const std::string& text);

// The file name extension of a format's files, with its point.
const char* DataFormatExtension(DataFormat format);

// The points in `format`. Ascii is exactly AsciiFileText; csv and tsv have a
// header row "velocity,value" (a tab for tsv) and the ASCII file's numbers,
// CR LF after every line; json holds the picture's name, the axis values,
// the count and the points as [velocity, value] pairs.
std::string DataFileText(const AppState& state, DataFormat format, const std::string& dataStatus,
                         const std::string& picturePath);
