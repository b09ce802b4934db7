#include "ui/QtCanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "image/QtPictures.h"

namespace {

QString ToQString(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Dash patterns of the styled one-pixel pens, in pixels on and off; empty
// for a solid line.
std::vector<int> DashPattern(std::uint8_t style) {
  switch (style) {
    case psDash:
      return {18, 6};
    case psDot:
      return {3, 3};
    case psDashDot:
      return {9, 6, 3, 6};
    case psDashDotDot:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

// The pixel spans of an ellipse inside the box (x1, y1)-(x2, y2), right and
// bottom edges excluded: a pixel belongs to it when its centre lies inside.
// spans[row] is the half-open column range, empty when left >= right.
struct Span {
  int Left = 0;
  int Right = 0;
};

std::vector<Span> EllipseSpans(int x1, int y1, int x2, int y2) {
  std::vector<Span> spans;
  const double cx = (x1 + x2) / 2.0;
  const double cy = (y1 + y2) / 2.0;
  const double a = (x2 - x1) / 2.0;
  const double b = (y2 - y1) / 2.0;
  for (int y = y1; y < y2; ++y) {
    const double dy = (y + 0.5 - cy) / b;
    const double rest = 1.0 - dy * dy;
    Span span;
    if (rest > 0) {
      const double half = a * std::sqrt(rest);
      span.Left = static_cast<int>(std::ceil(cx - half - 0.5));
      span.Right = static_cast<int>(std::floor(cx + half - 0.5)) + 1;
    }
    spans.push_back(span);
  }
  return spans;
}

bool Inside(const std::vector<Span>& spans, int top, int x, int y) {
  const int row = y - top;
  if (row < 0 || row >= static_cast<int>(spans.size())) return false;
  const Span& s = spans[static_cast<std::size_t>(row)];
  return x >= s.Left && x < s.Right;
}

}  // namespace

QColor ToQColor(Colour colour) {
  return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

Colour FromQColor(const QColor& colour) {
  return MakeColour(colour.red(), colour.green(), colour.blue());
}

QtCanvas::QtCanvas(QPainter& painter) : painter_(painter) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

int QtCanvas::PixelSizeOfPoints(int points) {
  const int product = points * 96;
  return product >= 0 ? (product + 36) / 72 : -((-product + 36) / 72);
}

QFont QtCanvas::ToQFont(const CanvasFont& font) {
  QFont result(QString::fromStdString(font.Name));
  result.setStyleHint(QFont::Serif);
  result.setPixelSize(std::max(1, PixelSizeOfPoints(font.Size)));
  return result;
}

// A line of width 1 from (x0, y0) to (x1, y1), the end point left out,
// stepped pixel by pixel from the start so that the dash pattern begins
// there; the gaps take the brush colour when the brush is solid.
void QtCanvas::ThinLine(int x0, int y0, int x1, int y1) {
  const std::vector<int> dashes = DashPattern(Pen().Style);
  int dashPeriod = 0;
  for (const int d : dashes) dashPeriod += d;
  const QColor ink = ToQColor(Pen().Color);
  const QColor gap = ToQColor(Brush().Color);
  const bool gapsFilled = Brush().Solid;

  const int dx = std::abs(x1 - x0);
  const int dy = std::abs(y1 - y0);
  const int sx = x1 > x0 ? 1 : -1;
  const int sy = y1 > y0 ? 1 : -1;
  const int steps = std::max(dx, dy);
  const int major = std::max(dx, dy);
  const int minor = std::min(dx, dy);
  int error = major / 2;
  int x = x0;
  int y = y0;
  for (int i = 0; i < steps; ++i) {
    bool on = true;
    if (dashPeriod > 0) {
      int phase = i % dashPeriod;
      std::size_t k = 0;
      while (phase >= dashes[k]) phase -= dashes[k++];
      on = k % 2 == 0;
    }
    if (on) {
      painter_.fillRect(QRect(x, y, 1, 1), ink);
    } else if (gapsFilled) {
      painter_.fillRect(QRect(x, y, 1, 1), gap);
    }
    error -= minor;
    if (error < 0) {
      error += major;
      if (dx >= dy) {
        y += sy;
      } else {
        x += sx;
      }
    }
    if (dx >= dy) {
      x += sx;
    } else {
      y += sy;
    }
  }
}

void QtCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (x2 <= x1 || y2 <= y1) return;
  if (Brush().Solid) painter_.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), ToQColor(Brush().Color));
  if (Pen().Style == psClear) return;
  // The outline: the box's outermost pixels in the pen colour.
  const QColor ink = ToQColor(Pen().Color);
  painter_.fillRect(QRect(x1, y1, x2 - x1, 1), ink);
  painter_.fillRect(QRect(x1, y2 - 1, x2 - x1, 1), ink);
  painter_.fillRect(QRect(x1, y1, 1, y2 - y1), ink);
  painter_.fillRect(QRect(x2 - 1, y1, 1, y2 - y1), ink);
}

void QtCanvas::FrameRect(const Rect& box) {
  if (!Brush().Solid || box.Right <= box.Left || box.Bottom <= box.Top) return;
  const QColor colour = ToQColor(Brush().Color);
  const int w = box.Right - box.Left;
  const int h = box.Bottom - box.Top;
  painter_.fillRect(QRect(box.Left, box.Top, w, 1), colour);
  painter_.fillRect(QRect(box.Left, box.Bottom - 1, w, 1), colour);
  painter_.fillRect(QRect(box.Left, box.Top, 1, h), colour);
  painter_.fillRect(QRect(box.Right - 1, box.Top, 1, h), colour);
}

void QtCanvas::MoveTo(int x, int y) {
  penX_ = x;
  penY_ = y;
}

void QtCanvas::LineTo(int x, int y) {
  if (Pen().Style != psClear) {
    if (Pen().Width <= 1) {
      ThinLine(penX_, penY_, x, y);
    } else {
      // Wider pens are solid with round ends and joins.
      QPen pen(ToQColor(Pen().Color));
      pen.setWidth(Pen().Width);
      pen.setCapStyle(Qt::RoundCap);
      pen.setJoinStyle(Qt::RoundJoin);
      painter_.setPen(pen);
      painter_.drawLine(penX_, penY_, x, y);
    }
  }
  penX_ = x;
  penY_ = y;
}

void QtCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 == x1 || y2 == y1) return;
  const std::vector<Span> spans = EllipseSpans(x1, y1, x2, y2);
  const bool outlined = Pen().Style != psClear;
  const int band = std::max(1, Pen().Width);
  const QColor fill = ToQColor(Brush().Color);
  const QColor outline = ToQColor(Pen().Color);
  if (outlined && Brush().Solid && fill == outline) {
    // One colour throughout: whole rows at once.
    for (int y = y1; y < y2; ++y) {
      const Span& s = spans[static_cast<std::size_t>(y - y1)];
      if (s.Left < s.Right) painter_.fillRect(QRect(s.Left, y, s.Right - s.Left, 1), fill);
    }
    return;
  }
  for (int y = y1; y < y2; ++y) {
    const Span& s = spans[static_cast<std::size_t>(y - y1)];
    for (int x = s.Left; x < s.Right; ++x) {
      // A pixel within `band` pixels of the outside belongs to the outline.
      bool edge = false;
      for (int d = 1; d <= band && !edge; ++d) {
        edge = !Inside(spans, y1, x - d, y) || !Inside(spans, y1, x + d, y) || !Inside(spans, y1, x, y - d) ||
               !Inside(spans, y1, x, y + d);
      }
      if (outlined && edge) {
        painter_.fillRect(QRect(x, y, 1, 1), outline);
      } else if (Brush().Solid) {
        painter_.fillRect(QRect(x, y, 1, 1), fill);
      }
    }
  }
}

void QtCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) return;
  const QFont font = ToQFont(Font());
  const QFontMetrics metrics(font, painter_.device());
  const QString qtext = ToQString(text);
  if (Brush().Solid) {
    painter_.fillRect(QRect(x, y, metrics.horizontalAdvance(qtext), metrics.height()),
                      ToQColor(Brush().Color));
  }
  painter_.setFont(font);
  painter_.setPen(ToQColor(Font().Color));
  painter_.drawText(QPoint(x, y + metrics.ascent()), qtext);
}

int QtCanvas::TextWidth(const std::string& text) const {
  return QFontMetrics(ToQFont(Font()), painter_.device()).horizontalAdvance(ToQString(text));
}

int QtCanvas::TextHeight(const std::string&) const {
  return QFontMetrics(ToQFont(Font()), painter_.device()).height();
}

void QtCanvas::Draw(int x, int y, const Bitmap& picture) {
  if (picture.empty()) return;
  painter_.drawImage(QPoint(x, y), ImageFromPicture(picture));
}

Bitmap QtCanvas::TextBitmap(const std::string& text, const CanvasFont& font) const {
  const QFont qfont = ToQFont(font);
  const QFontMetrics metrics(qfont, painter_.device());
  const QString qtext = ToQString(text);
  QImage image(metrics.horizontalAdvance(qtext) + 2, metrics.height() + 2, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setFont(qfont);
    painter.setPen(ToQColor(font.Color));
    painter.drawText(QPoint(1, 1 + metrics.ascent()), qtext);
  }
  return PictureFromImage(image);
}
