#include "output/DataFormats.h"

#include <algorithm>
#include <cstdio>

#include "Stringop/NumberFormatting.h"
#include "Stringop/PathText.h"
#include "output/AsciiFile.h"

namespace {

constexpr int DataDigits = 6;

// A JSON string: quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

std::optional<DataFormat> ParseDataFormat(const std::string& text) {
  if (text == "ascii") return DataFormat::Ascii;
  if (text == "csv") return DataFormat::Csv;
  if (text == "tsv") return DataFormat::Tsv;
  if (text == "json") return DataFormat::Json;
  return std::nullopt;
}

const char* DataFormatExtension(DataFormat format) {
  switch (format) {
    case DataFormat::Csv:
      return ".csv";
    case DataFormat::Tsv:
      return ".tsv";
    case DataFormat::Json:
      return ".json";
    default:
      return ".txt";
  }
}

std::string DataFileText(const AppState& state, DataFormat format, const std::string& dataStatus,
                         const std::string& picturePath) {
  if (format == DataFormat::Ascii) return AsciiFileText(state, dataStatus, picturePath);
  const std::size_t stored = std::min(state.VelocityArray.size(), state.CountsArray.size());
  const std::size_t count = std::min(static_cast<std::size_t>(std::max(state.DataPointCount, 0)), stored);
  if (format == DataFormat::Json) {
    std::string text = "{\n  \"picture\": " + JsonString(FileNameOfPath(picturePath)) + ",\n";
    text += "  \"vmin\": " + FormatNumber(DataDigits, state.VminValue) +
            ", \"vmax\": " + FormatNumber(DataDigits, state.VmaxValue) +
            ", \"min\": " + FormatNumber(DataDigits, state.MinValue) +
            ", \"max\": " + FormatNumber(DataDigits, state.MaxValue) + ",\n";
    text += "  \"count\": " + std::to_string(count) + ",\n  \"points\": [";
    for (std::size_t i = 0; i < count; ++i) {
      text += std::string(i == 0 ? "\n" : ",\n") + "    [" +
              FormatNumber(DataDigits, state.VelocityArray[i]) + ", " +
              FormatNumber(DataDigits, state.CountsArray[i]) + "]";
    }
    return text + (count > 0 ? "\n  ]\n}\n" : "]\n}\n");
  }
  const std::string separator = format == DataFormat::Tsv ? "\t" : ",";
  std::string text = "velocity" + separator + "value\r\n";
  for (std::size_t i = 0; i < count; ++i) {
    text += FormatNumber(DataDigits, state.VelocityArray[i]) + separator +
            FormatNumber(DataDigits, state.CountsArray[i]) + "\r\n";
  }
  return text;
}
