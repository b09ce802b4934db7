#include "ui/FoundPointsOverlay.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/AppState.h"
#include "output/PointMarkers.h"

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
  const double radius = MarkerRadius(state.UnitTemplate, std::min(sx, sy));
  const Colour colour = MarkerColour(state.UnitTemplate);
  if (radius != radius_ || colour != colour_ || marker_.isNull()) {
    const MarkerSprite sprite = MakeMarkerSprite(radius, colour);
    marker_ = QImage(sprite.side(), sprite.side(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < sprite.side(); ++y) {
      std::memcpy(marker_.scanLine(y), sprite.pixels.data() + static_cast<std::size_t>(y * sprite.side()),
                  static_cast<std::size_t>(sprite.side()) * sizeof(std::uint32_t));
    }
    half_ = sprite.half;
    radius_ = radius;
    colour_ = colour;
  }

  painter.save();
  painter.setClipRect(QRect(v.Left, v.Top, v.width() + 1, v.height() + 1), Qt::IntersectClip);
  const QRectF visible(v.Left - half_ - 1, v.Top - half_ - 1, v.width() + 2 * half_ + 2,
                       v.height() + 2 * half_ + 2);
  for (std::size_t i = 0; i < count; ++i) {
    // Pixel k of the picture spans [k, k + 1) before scaling: its centre is k + 0.5.
    const QPointF at(d.Left + (state.FoundCentres[i].x + 0.5) * sx,
                     d.Top + (state.FoundCentres[i].y + 0.5) * sy);
    if (!visible.contains(at)) continue;
    // The marker's middle pixel on the screen pixel the centre falls in.
    painter.drawImage(
        QPoint(static_cast<int>(std::floor(at.x())) - half_, static_cast<int>(std::floor(at.y())) - half_),
        marker_);
  }
  painter.restore();
}
