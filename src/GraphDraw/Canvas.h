#pragma once

#include <cstdint>
#include <string>

#include "state/Bitmap.h"
#include "state/GraphTypes.h"
#include "state/Rect.h"

// Pen, brush and font of a canvas. Colours are 0x00BBGGRR.
struct CanvasPen {
  Colour Color = BlackColour;
  std::uint8_t Style = psSolid;  // a PenStyleCode
  int Width = 1;
  friend bool operator==(const CanvasPen&, const CanvasPen&) = default;
};

struct CanvasBrush {
  Colour Color = WhiteColour;
  bool Solid = true;  // false: hollow, nothing is filled
  friend bool operator==(const CanvasBrush&, const CanvasBrush&) = default;
};

struct CanvasFont {
  std::string Name;
  int Size = 8;  // points
  Colour Color = BlackColour;
  friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

// A drawing surface in the manner of a window-system device context. The pen,
// brush and font are plain state that the drawing operations read at the
// moment they run. Coordinates are (column, row), rows growing downward;
// boxes exclude their right and bottom edges.
class Canvas {
 public:
  virtual ~Canvas() = default;

  CanvasPen& Pen() { return pen_; }
  const CanvasPen& Pen() const { return pen_; }
  CanvasBrush& Brush() { return brush_; }
  const CanvasBrush& Brush() const { return brush_; }
  CanvasFont& Font() { return font_; }
  const CanvasFont& Font() const { return font_; }

  // Fills the box with the brush (when solid) and outlines it with the pen.
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  // A one-pixel border just inside the box, in the brush colour.
  virtual void FrameRect(const Rect& box) = 0;
  // Sets the current position.
  virtual void MoveTo(int x, int y) = 0;
  // A line from the current position to (x, y), the end point itself not
  // painted; (x, y) becomes the current position.
  virtual void LineTo(int x, int y) = 0;
  // An ellipse inside the box, filled with the brush and outlined with the pen.
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  // Text with its cell's top-left corner at (x, y), in the font colour; the
  // cell is filled with the brush colour first when the brush is solid.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  // Size of the text cell in the current font, in pixels.
  virtual int TextWidth(const std::string& text) const = 0;
  virtual int TextHeight(const std::string& text) const = 0;
  // Copies a bitmap with its top-left corner at (x, y).
  virtual void Draw(int x, int y, const Bitmap& picture) = 0;
  // A white bitmap, TextWidth + 2 wide and TextHeight + 2 high as measured in
  // `font`, with the text written at (1, 1) in the font's colour. This canvas
  // is left as it was.
  virtual Bitmap TextBitmap(const std::string& text, const CanvasFont& font) const = 0;

 private:
  CanvasPen pen_;
  CanvasBrush brush_;
  CanvasFont font_;
};
