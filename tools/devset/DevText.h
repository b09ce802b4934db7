#pragma once

#include <memory>
#include <string>

#include "devset/DevCanvas.h"
#include "devset/DevGeometry.h"
#include "devset/DevSet.h"

namespace devset {

// Text in the Liberation fonts, rendered by FreeType: anti-aliased glyph
// coverage blended onto the picture, or aliased when the picture is drawn
// aliased. Faces are loaded on first use.
class FontLibrary {
 public:
  FontLibrary();
  ~FontLibrary();
  FontLibrary(const FontLibrary&) = delete;
  FontLibrary& operator=(const FontLibrary&) = delete;

  // The pen advance of a line of UTF-8 text, pixels.
  double width(const std::string& text, const Font& font);
  // How far the face reaches above and below the baseline, pixels.
  double ascent(const Font& font);
  double descent(const Font& font);

  // The box a line of text takes: its advance across and the face's ascent
  // and descent. `upright` text runs up the picture, turned a quarter turn
  // counter-clockwise, with its baseline at x.
  Box layoutBox(const std::string& text, const Font& font, double x, double y, bool upright = false);

  // Paints a line with the left end of its baseline at (x, y), continuous
  // coordinates (for upright text the bottom end). Returns the box of the
  // pixels it inked.
  Box draw(FloatPicture& picture, const std::string& text, const Font& font, double x, double y, Rgb colour,
           Drawing drawing, bool upright = false);

 private:
  struct Faces;
  std::unique_ptr<Faces> faces_;
};

}  // namespace devset
