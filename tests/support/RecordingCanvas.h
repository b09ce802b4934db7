#pragma once

#include <string>
#include <vector>

#include "GraphDraw/Canvas.h"

// One drawing call with the canvas state at that moment.
struct CanvasCall {
  enum class Kind { Rectangle, FrameRect, MoveTo, Line, Ellipse, TextOut, Draw };
  Kind What = Kind::MoveTo;
  // Rectangle, FrameRect, Ellipse: the box. MoveTo: (X1, Y1). Line: from the
  // current position (X1, Y1) to (X2, Y2). TextOut, Draw: the top-left corner
  // in (X1, Y1); Draw also the picture's size in (X2, Y2).
  int X1 = 0;
  int Y1 = 0;
  int X2 = 0;
  int Y2 = 0;
  std::string Text;
  Bitmap Picture;
  CanvasPen Pen;
  CanvasBrush Brush;
  CanvasFont Font;
};

// A canvas that paints nothing and records every call, with fixed glyph
// metrics so that layouts can be worked out by hand:
//   TextWidth  = characters x CharWidth(size), CharWidth(size) = (6 x size) div 10
//   TextHeight = size + 3 (also for an empty text)
// TextBitmap gives the white (TextWidth + 2) x (TextHeight + 2) bitmap with
// only the first character's cell, at (1, 1), filled in the font colour, so
// that the orientation of turned text can be seen.
class RecordingCanvas : public Canvas {
 public:
  static int CharWidth(int size) { return (6 * size) / 10; }
  static int WidthOf(const std::string& text, int size) {
    return static_cast<int>(text.size()) * CharWidth(size);
  }
  static int HeightOf(int size) { return size + 3; }

  void Rectangle(int x1, int y1, int x2, int y2) override;
  void FrameRect(const Rect& box) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) const override { return WidthOf(text, Font().Size); }
  int TextHeight(const std::string&) const override { return HeightOf(Font().Size); }
  void Draw(int x, int y, const Bitmap& picture) override;
  Bitmap TextBitmap(const std::string& text, const CanvasFont& font) const override;

  const std::vector<CanvasCall>& Calls() const { return calls_; }
  std::vector<CanvasCall> Of(CanvasCall::Kind kind) const;
  // The texts written, in order, with empty ones left out.
  std::vector<std::string> Texts() const;
  // The TextOut call that wrote `text` first; fails the test when none did.
  CanvasCall TextCall(const std::string& text) const;

 private:
  CanvasCall Record(CanvasCall::Kind kind, int x1, int y1, int x2, int y2) const;

  std::vector<CanvasCall> calls_;
  int penX_ = 0;
  int penY_ = 0;
};
