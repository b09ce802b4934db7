#include "ui/FoundPointsOverlay.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/AppState.h"
#include "output/PointMarkers.h"

namespace {

QImage ToImage(const MarkerSprite& sprite) {
  QImage image(sprite.side(), sprite.side(), QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < sprite.side(); ++y) {
    std::memcpy(image.scanLine(y), sprite.pixels.data() + static_cast<std::size_t>(y * sprite.side()),
                static_cast<std::size_t>(sprite.side()) * sizeof(std::uint32_t));
  }
  return image;
}

double Scale(const AppState& state) {
  const int sw = state.WorkImage.width();
  const int sh = state.WorkImage.height();
  if (sw <= 0 || sh <= 0) return 1;
  return std::min(static_cast<double>(state.DisplayRect.width()) / sw,
                  static_cast<double>(state.DisplayRect.height()) / sh);
}

}  // namespace

double FoundPointsOverlay::radius(const AppState& state) {
  return MarkerRadius(state.UnitTemplate, Scale(state));
}

QPointF FoundPointsOverlay::onScreen(const AppState& state, PictureCentre centre) {
  const Rect& d = state.DisplayRect;
  const double sx = static_cast<double>(d.width()) / std::max(1, state.WorkImage.width());
  const double sy = static_cast<double>(d.height()) / std::max(1, state.WorkImage.height());
  // Pixel k of the picture spans [k, k + 1) before scaling: its centre is k + 0.5.
  return {d.Left + (centre.x + 0.5) * sx, d.Top + (centre.y + 0.5) * sy};
}

void FoundPointsOverlay::paint(QPainter& painter, const AppState& state, const Edits& edits) {
  const std::size_t count = static_cast<std::size_t>(std::max(0, state.DataPointCount));
  if (!state.ShowFoundPoints || state.RunInProgress || state.FoundCentres.size() < count) return;
  const Rect& d = state.DisplayRect;
  const Rect& v = state.ViewArea;
  if (state.WorkImage.empty() || d.width() <= 0 || d.height() <= 0) return;
  const double r = radius(state);
  const Colour colour = MarkerColour(state.UnitTemplate);
  if (r != radius_ || colour != colour_ || marker_.isNull()) {
    const MarkerSprite sprite = MakeMarkerSprite(r, colour);
    marker_ = ToImage(sprite);
    selectedMarker_ = ToImage(MakeMarkerSprite(r, colour, true));
    half_ = sprite.half;
    radius_ = r;
    colour_ = colour;
  }

  painter.save();
  painter.setClipRect(QRect(v.Left, v.Top, v.width() + 1, v.height() + 1), Qt::IntersectClip);
  const QRectF visible(v.Left - half_ - 1, v.Top - half_ - 1, v.width() + 2 * half_ + 2,
                       v.height() + 2 * half_ + 2);
  for (std::size_t i = 0; i < count; ++i) {
    const bool selected = i < edits.selected.size() && edits.selected[i];
    const QPointF at = onScreen(state, state.FoundCentres[i]) + (selected ? edits.dragged : QPointF());
    if (!visible.contains(at)) continue;
    // The marker's middle pixel on the screen pixel the centre falls in.
    painter.drawImage(
        QPoint(static_cast<int>(std::floor(at.x())) - half_, static_cast<int>(std::floor(at.y())) - half_),
        marker(selected));
  }
  if (!edits.band.isNull()) {
    painter.setPen(QPen(QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(edits.band.normalized());
  }
  painter.restore();
}
