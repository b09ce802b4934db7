// Small pictures and templates made from the fuzzer's bytes, scanned by the
// fast scan in each of its ways of running and by the reference scan: any
// difference in what they report or in the erased picture is a failure.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "extract/ReferenceScan.h"
#include "extract/ScanOptionSets.h"
#include "extract/ScanRecorder.h"
#include "extract/SymbolScan.h"
#include "extract/TemplateMeasures.h"

namespace {

// Colours from one byte: mostly white, else one of a few inks of the input.
Colour PixelFrom(std::uint8_t code, const std::vector<Colour>& inks) {
  if (code < 96) return WhiteColour;
  return inks[code % inks.size()];
}

Bitmap PictureFrom(FuzzInput& in, int width, int height, const std::vector<Colour>& inks) {
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, PixelFrom(in.byte(), inks));
  return picture;
}

// Copies of the template's ink, some shifted in colour, at places the input names.
void StampCopies(FuzzInput& in, Bitmap& picture, const Bitmap& unit) {
  const int copies = in.intInRange(0, 6);
  for (int k = 0; k < copies; ++k) {
    const int left = in.intInRange(-unit.width(), picture.width());
    const int top = in.intInRange(-unit.height(), picture.height());
    const int shift = in.intInRange(-40, 40);
    for (int y = 0; y < unit.height(); ++y) {
      for (int x = 0; x < unit.width(); ++x) {
        const Colour c = unit.pixel(x, y);
        if (IsWhite(c) || !picture.contains(left + x, top + y)) continue;
        const auto move = [shift](int v) { return std::clamp(v + shift, 0, 254); };
        picture.setPixel(left + x, top + y, MakeColour(move(RedOf(c)), move(GreenOf(c)), move(BlueOf(c))));
      }
    }
  }
}

std::string Describe(const Bitmap& picture, const Bitmap& unit, const ScanParameters& p, std::size_t set) {
  return "picture " + std::to_string(picture.width()) + " x " + std::to_string(picture.height()) + ", unit " +
         std::to_string(unit.width()) + " x " + std::to_string(unit.height()) + ", match " +
         std::to_string(p.matchFraction) + (p.strict ? ", strict" : "") + ", option set " +
         std::to_string(set);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const int width = in.intInRange(1, 48);
  const int height = in.intInRange(1, 32);
  const int unitWidth = in.intInRange(1, 9);
  const int unitHeight = in.intInRange(1, 9);
  std::vector<Colour> inks(static_cast<std::size_t>(in.intInRange(1, 4)));
  for (Colour& ink : inks) ink = MakeColour(in.byte(), in.byte(), in.byte());

  const double matches[] = {0.0, 0.3, 0.5, 0.6, 0.75, 0.9, 1.0, -0.2, 1.2};
  ScanParameters parameters;
  const int matchCode = in.intInRange(0, 9);
  parameters.matchFraction = matchCode < 9 ? matches[matchCode] : in.byte() / 255.0;
  parameters.strict = in.flag();
  const bool trimmed = in.intInRange(0, 7) != 0;

  const Bitmap stored = PictureFrom(in, unitWidth, unitHeight, inks);
  const TemplateMeasures measures = MeasureTemplate(stored);
  const Bitmap unit = trimmed ? measures.trimmed : stored;
  parameters.templateWeight = measures.weight;
  Bitmap picture = PictureFrom(in, width, height, inks);
  StampCopies(in, picture, unit);

  Bitmap expectedPicture = picture;
  ScanRecorder expected;
  ReferenceScanForSymbols(expectedPicture, unit, parameters, expected);

  const std::vector<ScanOptions> sets = EveryScanOptionSet();
  for (std::size_t k = 0; k < sets.size(); ++k) {
    Bitmap actualPicture = picture;
    ScanRecorder actual;
    ScanForSymbols(actualPicture, unit, parameters, actual, sets[k]);
    if (actual.events != expected.events) {
      FuzzFailure("the fast scan reports other events: " + Describe(picture, unit, parameters, k));
    }
    if (!(actualPicture == expectedPicture)) {
      FuzzFailure("the fast scan erases other pixels: " + Describe(picture, unit, parameters, k));
    }
  }
  return 0;
}
