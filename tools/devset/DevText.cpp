#include "devset/DevText.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <stdexcept>
#include <vector>

namespace devset {

namespace {

struct LibraryCloser {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceCloser {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryHandle = std::unique_ptr<FT_LibraryRec_, LibraryCloser>;
using FaceHandle = std::unique_ptr<FT_FaceRec_, FaceCloser>;

std::string FontFile(const Font& font) {
  const char* family = "Sans";
  switch (font.face) {
    case Face::Sans:
      family = "Sans";
      break;
    case Face::Serif:
      family = "Serif";
      break;
    case Face::Mono:
      family = "Mono";
      break;
    case Face::Narrow:
      family = "SansNarrow";
      break;
  }
  const char* style = "Regular";
  switch (font.style) {
    case Style::Regular:
      style = "Regular";
      break;
    case Style::Bold:
      style = "Bold";
      break;
    case Style::Italic:
      style = "Italic";
      break;
    case Style::BoldItalic:
      style = "BoldItalic";
      break;
  }
  return std::string("/usr/share/fonts/truetype/liberation/Liberation") + family + "-" + style + ".ttf";
}

// Code points of UTF-8 text; a broken sequence gives U+FFFD.
std::vector<std::uint32_t> CodePoints(const std::string& text) {
  std::vector<std::uint32_t> out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80           ? 0
                      : (lead >> 5) == 0x6  ? 1
                      : (lead >> 4) == 0xE  ? 2
                      : (lead >> 3) == 0x1E ? 3
                                            : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    std::uint32_t cp = extra == 0 ? lead : lead & (0x3Fu >> extra);
    for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    out.push_back(cp);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

int FaceKey(const Font& font) {
  return static_cast<int>(font.face) * 4 + static_cast<int>(font.style);
}

}  // namespace

struct FontLibrary::Faces {
  LibraryHandle library;
  std::map<int, FaceHandle> faces;

  // The face of `font`, set to its size.
  FT_Face at(const Font& font) {
    auto found = faces.find(FaceKey(font));
    if (found == faces.end()) {
      const std::string file = FontFile(font);
      FT_Face face = nullptr;
      if (FT_New_Face(library.get(), file.c_str(), 0, &face) != 0)
        throw std::runtime_error("cannot load the font " + file + " (package fonts-liberation)");
      found = faces.emplace(FaceKey(font), FaceHandle(face)).first;
    }
    FT_Face face = found->second.get();
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(font.size * 64)), 72, 72);
    return face;
  }
};

FontLibrary::FontLibrary() : faces_(std::make_unique<Faces>()) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("cannot start FreeType");
  faces_->library.reset(library);
}

FontLibrary::~FontLibrary() = default;

namespace {

// The pen advance after `glyph`, with the kerning against the glyph before.
double Kerning(FT_Face face, FT_UInt before, FT_UInt glyph, double size) {
  if (before == 0 || !FT_HAS_KERNING(face)) return 0;
  FT_Vector delta{};
  if (FT_Get_Kerning(face, before, glyph, FT_KERNING_UNSCALED, &delta) != 0) return 0;
  return static_cast<double>(delta.x) * size / face->units_per_EM;
}

constexpr FT_Int32 LoadFlags = FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;

}  // namespace

double FontLibrary::width(const std::string& text, const Font& font) {
  FT_Face face = faces_->at(font);
  double pen = 0;
  FT_UInt before = 0;
  for (const std::uint32_t cp : CodePoints(text)) {
    const FT_UInt glyph = FT_Get_Char_Index(face, cp);
    pen += Kerning(face, before, glyph, font.size);
    if (FT_Load_Glyph(face, glyph, LoadFlags) == 0)
      pen += static_cast<double>(face->glyph->linearHoriAdvance) / 65536.0;
    before = glyph;
  }
  return pen;
}

double FontLibrary::ascent(const Font& font) {
  FT_Face face = faces_->at(font);
  return static_cast<double>(face->ascender) * font.size / face->units_per_EM;
}

double FontLibrary::descent(const Font& font) {
  FT_Face face = faces_->at(font);
  return -static_cast<double>(face->descender) * font.size / face->units_per_EM;
}

Box FontLibrary::layoutBox(const std::string& text, const Font& font, double x, double y, bool upright) {
  const double across = width(text, font);
  const double up = ascent(font);
  const double down = descent(font);
  if (upright) return {x - up, y - across, x + down, y};
  return {x, y - up, x + across, y + down};
}

Box FontLibrary::draw(FloatPicture& picture, const std::string& text, const Font& font, double x, double y,
                      Rgb colour, Drawing drawing, bool upright) {
  FT_Face face = faces_->at(font);
  const bool aliased = drawing == Drawing::Aliased;
  // A quarter turn counter-clockwise in FreeType's upward y: (x, y) -> (-y, x).
  FT_Matrix quarter{0, -0x10000, 0x10000, 0};
  Box ink{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
  double pen = 0;
  FT_UInt before = 0;
  for (const std::uint32_t cp : CodePoints(text)) {
    const FT_UInt glyph = FT_Get_Char_Index(face, cp);
    pen += Kerning(face, before, glyph, font.size);
    before = glyph;
    if (FT_Load_Glyph(face, glyph, LoadFlags) != 0) continue;
    FT_GlyphSlot slot = face->glyph;
    const double advance = static_cast<double>(slot->linearHoriAdvance) / 65536.0;
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) {
      pen += advance;
      continue;
    }
    if (upright) FT_Outline_Transform(&slot->outline, &quarter);
    const double ox = upright ? x : x + pen;
    const double oy = upright ? y - pen : y;
    pen += advance;
    // The glyph is rendered with its origin at a whole pixel corner, moved by
    // the origin's fraction first; FreeType's y runs up.
    const double ix = std::floor(ox);
    const double iy = std::floor(oy);
    FT_Outline_Translate(&slot->outline, static_cast<FT_Pos>(std::lround((ox - ix) * 64)),
                         -static_cast<FT_Pos>(std::lround((oy - iy) * 64)));
    if (FT_Render_Glyph(slot, aliased ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) continue;
    const FT_Bitmap& bitmap = slot->bitmap;
    const int pitch = bitmap.pitch;
    if (pitch < 0) continue;  // outlines render top row first
    const int left = static_cast<int>(ix) + slot->bitmap_left;
    const int top = static_cast<int>(iy) - slot->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      const unsigned char* line =
          bitmap.buffer + static_cast<std::size_t>(row) * static_cast<std::size_t>(pitch);
      for (unsigned col = 0; col < bitmap.width; ++col) {
        double alpha = 0;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
          alpha = (line[col / 8] >> (7 - col % 8)) & 1 ? 1.0 : 0.0;
        } else {
          alpha = line[col] / 255.0;
          if (drawing == Drawing::Coarse) alpha = std::round(alpha * 16) / 16;
        }
        if (alpha <= 0) continue;
        const int px = left + static_cast<int>(col);
        const int py = top + static_cast<int>(row);
        picture.blend(px, py, colour, alpha);
        ink.left = std::min(ink.left, static_cast<double>(px));
        ink.top = std::min(ink.top, static_cast<double>(py));
        ink.right = std::max(ink.right, px + 1.0);
        ink.bottom = std::max(ink.bottom, py + 1.0);
      }
    }
  }
  if (ink.left > ink.right) return {x, y, x, y};
  return ink;
}

}  // namespace devset
