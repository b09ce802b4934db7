// The number text routines and the path helpers on any text and any double.
// Besides crashes and undefined behaviour, each checks what must hold for
// every input: cleaned text reads as a number, numbers written come back
// within the cut decimals, path parts are parts of the path.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "Stringop/CharacterText.h"
#include "Stringop/DecimalReading.h"
#include "Stringop/NumberFormatting.h"
#include "Stringop/NumberTextEditing.h"
#include "Stringop/PathText.h"

namespace {

constexpr const char* NumberOrExponentChars = "+-.0123456789Ee";
constexpr double BeyondFifteenDigits = 1.797693134862315e308;

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32 || code >= 127) {
      static constexpr char hex[] = "0123456789abcdef";
      out += "\\x";
      out += hex[code >> 4];
      out += hex[code & 15];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void CheckTextToNumbers(const std::string& text, int digits) {
  const double value = TextToNumber(text, 6);
  if (!std::isfinite(value)) FuzzFailure("TextToNumber of " + Quoted(text) + " is not finite");

  std::string prefix = text;
  KeepNumericPrefix(prefix);
  if (prefix.find_first_not_of(NumberOrExponentChars) != std::string::npos) {
    FuzzFailure("KeepNumericPrefix of " + Quoted(text) + " keeps " + Quoted(prefix));
  }
  std::string again = prefix;
  KeepNumericPrefix(again);
  if (again != prefix) FuzzFailure("KeepNumericPrefix is not stable on " + Quoted(prefix));

  std::string cleaned = text;
  CleanNumberText(cleaned);
  double read = 0.0;
  int errorPos = 0;
  if (!cleaned.empty() && !ReadDecimal(cleaned, read, errorPos)) {
    FuzzFailure("CleanNumberText of " + Quoted(text) + " gives the unreadable " + Quoted(cleaned));
  }
  if (!StartsWith(prefix, cleaned)) {
    FuzzFailure("CleanNumberText of " + Quoted(text) +
                " is no prefix of its numeric part: " + Quoted(cleaned));
  }

  std::string normalised = text;
  NormaliseNumberText(normalised, digits);
}

void CheckFormatNumber(double x, int digits) {
  const std::string text = FormatNumber(digits, x);
  const std::string shortText = ShortNumberText(x);
  if (!std::isfinite(x)) return;
  if (text.empty() || text.find_first_not_of("+-.0123456789E") != std::string::npos) {
    FuzzFailure("FormatNumber(" + std::to_string(digits) + ", " + shortText + ") gives " + Quoted(text));
  }
  double back = 0.0;
  int errorPos = 0;
  // Fifteen significant digits of the very largest doubles name a number
  // beyond the double range (1.79769313486232E+308): those cannot come back.
  if (std::fabs(x) >= BeyondFifteenDigits) return;
  if (!ReadDecimal(text, back, errorPos)) FuzzFailure("FormatNumber gives the unreadable " + Quoted(text));
  // Rounded to digits + 1 decimals, then cut to digits; large numbers keep
  // fifteen significant digits.
  const double tolerance = 1.06 * std::pow(10.0, -digits) + 1e-14 * std::fabs(x);
  if (!(std::fabs(back - x) <= tolerance)) {
    FuzzFailure("FormatNumber(" + std::to_string(digits) + ", " + shortText + ") gives " + Quoted(text) +
                ", too far from the number");
  }
  if (!ReadDecimal(shortText, back, errorPos) || !(std::fabs(back - x) <= 1e-14 * std::fabs(x))) {
    FuzzFailure("ShortNumberText gives " + Quoted(shortText));
  }
}

void CheckPathHelpers(const std::string& path, const std::string& sub, int n) {
  const std::string name = FileNameOfPath(path);
  if (!EndsWith(path, name) || name.find_first_of("/\\") != std::string::npos) {
    FuzzFailure("FileNameOfPath of " + Quoted(path) + " gives " + Quoted(name));
  }
  const std::string stem = RemoveExtension(path);
  if (!StartsWith(path, stem)) FuzzFailure("RemoveExtension of " + Quoted(path) + " gives " + Quoted(stem));
  const std::string directory = DirectoryOfPath(path);
  if (!StartsWith(path, directory)) {
    FuzzFailure("DirectoryOfPath of " + Quoted(path) + " gives " + Quoted(directory));
  }

  const std::vector<std::string> pieces = SplitText(path, n, sub);
  if (pieces.size() != static_cast<std::size_t>(n) + 1)
    FuzzFailure("SplitText gives a wrong count of pieces");

  const int count = CountOccurrences(sub, path);
  const int last = LastPos(sub, path);
  if ((count == 0) != (last == 0)) FuzzFailure("LastPos and CountOccurrences disagree on " + Quoted(sub));
  const int nth = PosOfNth(sub, path, n);
  if (nth != 0 && (n > count || path.compare(static_cast<std::size_t>(nth - 1), sub.size(), sub) != 0)) {
    FuzzFailure("PosOfNth(" + Quoted(sub) + ", " + Quoted(path) + ", " + std::to_string(n) + ") is " +
                std::to_string(nth));
  }

  const std::string shortened = ShortPathName(path, n % 2 == 0);
  if (path.find_first_of(" .") == std::string::npos) {
    // Without blanks or points only elements longer than eight characters change.
    bool longElement = false;
    std::size_t run = 0;
    for (const char c : path) {
      run = (c == '/' || c == '\\') ? 0 : run + 1;
      if (run > 8) longElement = true;
    }
    if (!longElement && shortened != path) {
      FuzzFailure("ShortPathName changes the short path " + Quoted(path) + " to " + Quoted(shortened));
    }
  }
  TrimControlChars(path);
  UpperCaseText(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const int digits = in.intInRange(0, 12);
  const double x = in.anyDouble();
  const std::string sub = in.text(4);
  const int n = in.intInRange(0, 60);
  const std::string text = in.rest();

  CheckTextToNumbers(text, digits);
  CheckFormatNumber(x, digits);
  CheckFormatNumber(TextToNumber(text, 6), digits);
  CheckPathHelpers(text, sub, n);
  return 0;
}
