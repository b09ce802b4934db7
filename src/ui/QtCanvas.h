#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <string>

#include "GraphDraw/Canvas.h"

class QPainter;

// The graph canvas over a QPainter, drawing the way a Windows device context
// does: one-pixel lines stepped from their start with the end point left out
// and dash gaps in the brush colour, boxes without their right and bottom
// edges, ellipses rasterised by their pixel centres, text cells filled with a
// solid brush. Font sizes are points at 96 dots per inch
// whatever the screen, so a layout is the same on every display. Texts are
// UTF-8 (in practice plain ASCII).
class QtCanvas : public Canvas {
 public:
  explicit QtCanvas(QPainter& painter);

  void Rectangle(int x1, int y1, int x2, int y2) override;
  void FrameRect(const Rect& box) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) const override;
  int TextHeight(const std::string& text) const override;
  void Draw(int x, int y, const Bitmap& picture) override;
  Bitmap TextBitmap(const std::string& text, const CanvasFont& font) const override;

  // The Qt font for a canvas font: its name, and the pixel size that its
  // point size has at 96 dots per inch (rounded half away from zero).
  static QFont ToQFont(const CanvasFont& font);
  static int PixelSizeOfPoints(int points);

 private:
  void ThinLine(int x0, int y0, int x1, int y1);

  QPainter& painter_;
  int penX_ = 0;
  int penY_ = 0;
};

// 0x00BBGGRR colours to and from Qt's form (pictures: image/QtPictures.h).
QColor ToQColor(Colour colour);
Colour FromQColor(const QColor& colour);
