#include "cli/CliArguments.h"

#include <charconv>
#include <map>

#include "extract/ChannelExtraction.h"

const char* const CliUsage =
    "usage: quorvix-cli extract PICTURE --unit L,T,R,B [--vmin TEXT] [--vmax TEXT] [--min TEXT] [--max "
    "TEXT]\n"
    "                         [--match TEXT] [--strict] [--thorough] [--channels auto|N] [EDIT OPTIONS]\n"
    "                         [-o FILE] [--overlay FILE.png] [--save-setup FILE]\n"
    "                         [--format ascii|csv|tsv|json] [--page N] [--dpi D]\n"
    "       quorvix-cli extract --setup FILE PICTURE... [-o DIR] [-j N] [options as above]\n"
    "       quorvix-cli edit PICTURE [EDIT OPTIONS] -o OUT\n"
    "       quorvix-cli --help | --version\n"
    "\n"
    "extract  finds every occurrence of the unit symbol and writes the ASCII data file\n"
    "         (to FILE, or to standard output) exactly as \"Save ASCII data\" would.\n"
    "         --unit      inclusive picture rectangle around one data-point symbol\n"
    "         --vmin, --vmax  velocity at the left and right edge (default -5.0, 5.0)\n"
    "         --min, --max    value at the bottom and top edge (default 0.90, 1.00)\n"
    "         --match     required match in per cent (default 60); --strict: strict match\n"
    "         --thorough  thorough matching: finds every symbol, with centres between\n"
    "                     pixels (--match and --strict are then ignored)\n"
    "         --channels  one point per velocity channel of a dense spectrum: N channels\n"
    "                     across the picture, or auto to find their spacing (thorough\n"
    "                     matching; prints \"N channels, M found\" on standard error)\n"
    "         --overlay   also writes the picture, edits applied, as a PNG file with a\n"
    "                     ring around each point found, as the window shows them\n"
    "         --save-setup  also writes the run's setup (unit, fields, options, edits)\n"
    "         --setup     takes the unit, fields, options and edits from a setup file\n"
    "                     (File > \"Save Setup...\"); its edits come before those given\n"
    "         several pictures: -o DIR writes DIR/NAME.txt (.csv, .tsv, .json) for each,\n"
    "                     N at a time (-j, default the number of cores), one line per\n"
    "                     picture and a summary on standard error\n"
    "         --format    ascii (the default, the \"Save ASCII data\" file), csv or tsv\n"
    "                     (a header row velocity,value), or json\n"
    "edit     applies the edit options and writes the picture as a 24-bit BMP file.\n"
    "\n"
    "PICTURE  BMP, PNG, JPEG, TIFF, WebP, GIF, PBM/PGM/PPM or any other format the\n"
    "         image readers know, or a PDF document: --page N (default 1) and\n"
    "         --dpi D (default 300) choose the page and its resolution\n"
    "\n"
    "EDIT OPTIONS, applied in the order given (rectangles inclusive, L,T,R,B):\n"
    "         --grey-limit N, --discard-colour, --reduce, --rotate DEGREES,\n"
    "         --crop RECT, --clear-inside RECT, --clear-outside RECT\n"
    "\n"
    "--help prints this text, --version the program's name and version.\n"
    "\n"
    "exit status: 0 success, 2 usage error, 1 any other failure\n";

namespace {

bool ParseInt(const std::string& text, int& value) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, last, value);
  return ec == std::errc() && end == last && first != last;
}

enum class Takes { Nothing, Text };

const std::map<std::string, Takes>& Options() {
  static const std::map<std::string, Takes> options = {{"--unit", Takes::Text},
                                                       {"--vmin", Takes::Text},
                                                       {"--vmax", Takes::Text},
                                                       {"--min", Takes::Text},
                                                       {"--max", Takes::Text},
                                                       {"--match", Takes::Text},
                                                       {"--strict", Takes::Nothing},
                                                       {"--thorough", Takes::Nothing},
                                                       {"-o", Takes::Text},
                                                       {"--output", Takes::Text},
                                                       {"--grey-limit", Takes::Text},
                                                       {"--discard-colour", Takes::Nothing},
                                                       {"--reduce", Takes::Nothing},
                                                       {"--rotate", Takes::Text},
                                                       {"--crop", Takes::Text},
                                                       {"--clear-inside", Takes::Text},
                                                       {"--clear-outside", Takes::Text},
                                                       {"--channels", Takes::Text},
                                                       {"--overlay", Takes::Text},
                                                       {"--setup", Takes::Text},
                                                       {"--save-setup", Takes::Text},
                                                       {"-j", Takes::Text},
                                                       {"--jobs", Takes::Text},
                                                       {"--format", Takes::Text},
                                                       {"--page", Takes::Text},
                                                       {"--dpi", Takes::Text}};
  return options;
}

}  // namespace

std::string PrintableText(const std::string& text) {
  static constexpr char Hex[] = "0123456789abcdef";
  std::string out;
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (code < 32 || code == 127) {
      out += "\\x";
      out += Hex[code >> 4];
      out += Hex[code & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<Rect> ParseRectText(const std::string& text) {
  int values[4];
  std::size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const std::size_t comma = text.find(',', start);
    const bool last = i == 3;
    if (last != (comma == std::string::npos)) return std::nullopt;
    const std::string part = text.substr(start, last ? std::string::npos : comma - start);
    if (!ParseInt(part, values[i])) return std::nullopt;
    start = comma + 1;
  }
  return Rect{values[0], values[1], values[2], values[3]};
}

std::optional<CliCommand> ParseCliArguments(const std::vector<std::string>& words, std::string& error) {
  CliCommand command;
  if (words.empty()) {
    error = "no command given (extract or edit); see --help";
    return std::nullopt;
  }
  if (words[0] == "--help" || words[0] == "-h" || words[0] == "help") return command;
  if (words[0] == "--version") {
    command.kind = CliCommand::Kind::Version;
    return command;
  }
  if (words[0] == "extract") {
    command.kind = CliCommand::Kind::Extract;
  } else if (words[0] == "edit") {
    command.kind = CliCommand::Kind::Edit;
  } else {
    error = "unknown command '" + PrintableText(words[0]) + "' (extract or edit); see --help";
    return std::nullopt;
  }

  for (std::size_t i = 1; i < words.size(); ++i) {
    std::string word = words[i];
    if (word == "--help" || word == "-h" || word == "--version") {
      command.kind = word == "--version" ? CliCommand::Kind::Version : CliCommand::Kind::Help;
      return command;
    }
    const bool looksLikeOption =
        word.size() > 1 && word[0] == '-' && !(word[1] >= '0' && word[1] <= '9') && word[1] != '.';
    if (!looksLikeOption) {
      if (!command.picture.empty() && command.kind != CliCommand::Kind::Extract) {
        error = "unexpected argument '" + PrintableText(word) + "'";
        return std::nullopt;
      }
      if (command.picture.empty()) command.picture = word;
      command.pictures.push_back(word);
      continue;
    }
    std::optional<std::string> value;
    if (const std::size_t eq = word.find('='); eq != std::string::npos) {
      value = word.substr(eq + 1);
      word = word.substr(0, eq);
    }
    const auto option = Options().find(word);
    if (option == Options().end()) {
      error = "unknown option '" + PrintableText(word) + "'";
      return std::nullopt;
    }
    if (option->second == Takes::Nothing) {
      if (value) {
        error = "option " + word + " takes no value";
        return std::nullopt;
      }
    } else if (!value) {
      if (i + 1 >= words.size()) {
        error = "option " + word + " needs a value";
        return std::nullopt;
      }
      value = words[++i];  // the next word, even when it starts with a minus sign
    }

    command.given.insert(word);
    const auto rectFor = [&](const std::string& name) -> std::optional<Rect> {
      auto rect = ParseRectText(*value);
      if (!rect)
        error = "option " + name + " needs four integers L,T,R,B, not '" + PrintableText(*value) + "'";
      return rect;
    };
    if (word == "--unit") {
      command.unit = rectFor(word);
      if (!command.unit) return std::nullopt;
    } else if (word == "--vmin") {
      command.vmin = *value;
    } else if (word == "--vmax") {
      command.vmax = *value;
    } else if (word == "--min") {
      command.min = *value;
    } else if (word == "--max") {
      command.max = *value;
    } else if (word == "--match") {
      command.match = *value;
      command.matchGiven = true;
    } else if (word == "--strict") {
      command.strict = true;
    } else if (word == "--thorough") {
      command.thorough = true;
    } else if (word == "--channels") {
      if (!ParseChannelCount(*value)) {
        error = "option --channels needs auto or a whole number of channels of at least 1, not '" +
                PrintableText(*value) + "'";
        return std::nullopt;
      }
      command.channels = *value;
    } else if (word == "-o" || word == "--output") {
      command.output = *value;
    } else if (word == "--overlay") {
      command.overlay = *value;
    } else if (word == "-j" || word == "--jobs") {
      if (!ParseInt(*value, command.jobs) || command.jobs < 1) {
        error = "option " + word + " needs a whole number of at least 1, not '" + PrintableText(*value) + "'";
        return std::nullopt;
      }
    } else if (word == "--format") {
      const auto format = ParseDataFormat(*value);
      if (!format) {
        error = "option --format needs ascii, csv, tsv or json, not '" + PrintableText(*value) + "'";
        return std::nullopt;
      }
      command.format = *format;
    } else if (word == "--page") {
      if (!ParseInt(*value, command.pdf.page) || command.pdf.page < 1) {
        error = "option --page needs a whole number of at least 1, not '" + PrintableText(*value) + "'";
        return std::nullopt;
      }
    } else if (word == "--dpi") {
      if (!ParseInt(*value, command.pdf.dpi) || command.pdf.dpi < MinPdfDpi || command.pdf.dpi > MaxPdfDpi) {
        error = "option --dpi needs a whole number from " + std::to_string(MinPdfDpi) + " to " +
                std::to_string(MaxPdfDpi) + ", not '" + PrintableText(*value) + "'";
        return std::nullopt;
      }
    } else if (word == "--setup") {
      command.setup = *value;
    } else if (word == "--save-setup") {
      command.saveSetup = *value;
    } else if (word == "--grey-limit") {
      command.edits.push_back({EditStep::Kind::GreyLimit, *value, {}});
    } else if (word == "--discard-colour") {
      command.edits.push_back({EditStep::Kind::DiscardColour, {}, {}});
    } else if (word == "--reduce") {
      command.edits.push_back({EditStep::Kind::Reduce, {}, {}});
    } else if (word == "--rotate") {
      command.edits.push_back({EditStep::Kind::Rotate, *value, {}});
    } else {
      const auto rect = rectFor(word);
      if (!rect) return std::nullopt;
      const EditStep::Kind kind = word == "--crop"           ? EditStep::Kind::Crop
                                  : word == "--clear-inside" ? EditStep::Kind::ClearInside
                                                             : EditStep::Kind::ClearOutside;
      command.edits.push_back({kind, {}, *rect});
    }
  }

  if (command.picture.empty()) {
    error = "no picture given";
    return std::nullopt;
  }
  if (command.kind == CliCommand::Kind::Extract && !command.unit && command.setup.empty()) {
    error = "extract needs --unit L,T,R,B or --setup FILE";
    return std::nullopt;
  }
  if (command.pictures.size() > 1 && (!command.overlay.empty() || !command.saveSetup.empty())) {
    error = std::string(command.overlay.empty() ? "--save-setup" : "--overlay") + " takes one picture";
    return std::nullopt;
  }
  if (command.kind == CliCommand::Kind::Edit && (!command.setup.empty() || !command.saveSetup.empty())) {
    error = "--setup and --save-setup belong to extract";
    return std::nullopt;
  }
  if (command.kind == CliCommand::Kind::Edit && command.output.empty()) {
    error = "edit needs -o OUT";
    return std::nullopt;
  }
  if (command.kind == CliCommand::Kind::Edit && !command.overlay.empty()) {
    error = "--overlay shows the points found by extract; edit finds none";
    return std::nullopt;
  }
  return command;
}
