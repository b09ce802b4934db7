#include "ui/FoundPointsOverlay.h"

#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>

#include "app/AppState.h"

namespace {

// The ring's radius on screen: a little beyond the symbol (the unit
// rectangle less its margin), at least a few pixels and at most a few dozen.
constexpr double SymbolShare = 0.45;
constexpr double RingGap = 1.5;
constexpr double SmallestRing = 3.0;
constexpr double LargestRing = 40.0;

double ColourDistance(QColor a, QColor b) {
  return std::hypot(a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue());
}

}  // namespace

QColor FoundPointColour(const Bitmap& unit) {
  // The mean of the template's pixels that are not paper white.
  double r = 0, g = 0, b = 0, n = 0;
  for (int y = 0; y < unit.height(); ++y) {
    const Colour* row = unit.row(y);
    for (int x = 0; x < unit.width(); ++x) {
      if (row[x] == 0xFFFFFFu) continue;
      r += RedOf(row[x]);
      g += GreenOf(row[x]);
      b += BlueOf(row[x]);
      n += 1;
    }
  }
  const QColor symbol =
      n > 0 ? QColor(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n))
            : QColor(Qt::black);
  // Of a few vivid colours, the one farthest from both the symbol and white.
  const std::array<QColor, 5> choices = {QColor(255, 0, 200), QColor(0, 170, 255), QColor(255, 110, 0),
                                         QColor(0, 190, 60), QColor(230, 0, 0)};
  QColor best = choices[0];
  double bestDistance = -1;
  for (const QColor& c : choices) {
    const double d = std::min(ColourDistance(c, symbol), ColourDistance(c, QColor(Qt::white)));
    if (d > bestDistance) {
      bestDistance = d;
      best = c;
    }
  }
  return best;
}

void FoundPointsOverlay::paint(QPainter& painter, const AppState& state) {
  const std::size_t count = static_cast<std::size_t>(std::max(0, state.DataPointCount));
  if (!state.ShowFoundPoints || state.RunInProgress || count == 0 || state.FoundCentres.size() < count)
    return;
  const int sw = state.WorkImage.width();
  const int sh = state.WorkImage.height();
  const Rect& d = state.DisplayRect;
  const Rect& v = state.ViewArea;
  if (sw <= 0 || sh <= 0 || d.width() <= 0 || d.height() <= 0) return;
  const double sx = static_cast<double>(d.width()) / sw;
  const double sy = static_cast<double>(d.height()) / sh;
  const double symbol =
      SymbolShare * std::max(1, std::min(state.UnitTemplate.width(), state.UnitTemplate.height()));
  const double radius = std::clamp(symbol * std::min(sx, sy) + RingGap, SmallestRing, LargestRing);
  const QColor colour = FoundPointColour(state.UnitTemplate);

  // The marker: a white halo under the ring, so it shows on dark ink too.
  const int half = static_cast<int>(std::ceil(radius + 2.5));
  if (radius != radius_ || colour != colour_ || marker_.isNull()) {
    marker_ = QImage(2 * half + 1, 2 * half + 1, QImage::Format_ARGB32_Premultiplied);
    marker_.fill(Qt::transparent);
    QPainter m(&marker_);
    m.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c(half + 0.5, half + 0.5);
    m.setBrush(Qt::NoBrush);
    m.setPen(QPen(QColor(255, 255, 255, 170), 3.5));
    m.drawEllipse(c, radius, radius);
    m.setPen(QPen(colour, 1.6));
    m.drawEllipse(c, radius, radius);
    m.setPen(Qt::NoPen);
    m.setBrush(colour);
    m.drawEllipse(c, 1.3, 1.3);
    radius_ = radius;
    colour_ = colour;
  }

  painter.save();
  painter.setClipRect(QRect(v.Left, v.Top, v.width() + 1, v.height() + 1), Qt::IntersectClip);
  const QRectF visible(v.Left - half - 1, v.Top - half - 1, v.width() + 2 * half + 2,
                       v.height() + 2 * half + 2);
  for (std::size_t i = 0; i < count; ++i) {
    // Pixel k of the picture spans [k, k + 1) before scaling: its centre is k + 0.5.
    const QPointF at(d.Left + (state.FoundCentres[i].x + 0.5) * sx,
                     d.Top + (state.FoundCentres[i].y + 0.5) * sy);
    if (!visible.contains(at)) continue;
    // The marker's centre pixel on the screen pixel the centre falls in.
    painter.drawImage(
        QPoint(static_cast<int>(std::floor(at.x())) - half, static_cast<int>(std::floor(at.y())) - half),
        marker_);
  }
  painter.restore();
}
