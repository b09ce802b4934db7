#include "ui/FoundPointsOverlay.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "extract/UnmatchedInk.h"
#include "output/PointMarkers.h"
#include "state/AppState.h"
#include "state/Viewport.h"

namespace {

QImage ToImage(const MarkerSprite& sprite) {
  QImage image(sprite.side(), sprite.side(), QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < sprite.side(); ++y) {
    std::memcpy(image.scanLine(y), sprite.pixels.data() + static_cast<std::size_t>(y * sprite.side()),
                static_cast<std::size_t>(sprite.side()) * sizeof(std::uint32_t));
  }
  return image;
}

}  // namespace

double FoundPointsOverlay::radius(const AppState& state) {
  return MarkerRadius(state.UnitTemplate, DisplayScale(state));
}

QPointF FoundPointsOverlay::onScreen(const AppState& state, PictureCentre centre) {
  const ScreenPoint at = PictureToScreen(state, centre);
  return {at.x, at.y};
}

const QImage& FoundPointsOverlay::unmatchedTint(const AppState& state) {
  // A cheap key of everything the tint depends on.
  std::size_t key =
      std::hash<int>()(state.WorkImage.width()) * 31 + static_cast<std::size_t>(state.WorkImage.height());
  key = key * 31 + static_cast<std::size_t>(state.DataPointCount);
  key = key * 31 + (state.ThoroughMatching || state.OnePointPerChannel ? 1 : 0);
  for (const PictureCentre& c : state.FoundCentres)
    key = key * 1000003u ^ std::hash<double>()(c.x * 7919.0 + c.y);
  if (key == tintKey_ && !tint_.isNull()) return tint_;
  tintKey_ = key;
  const std::vector<char> left = UnmatchedInk(state);
  if (left.empty()) {
    tint_ = QImage();
    return tint_;
  }
  const int w = state.WorkImage.width();
  tint_ = QImage(w, state.WorkImage.height(), QImage::Format_ARGB32_Premultiplied);
  tint_.fill(Qt::transparent);
  // Strong magenta at two thirds opacity, premultiplied.
  const QRgb wash = qRgba(170, 0, 170, 170);
  for (int y = 0; y < tint_.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(tint_.scanLine(y));
    for (int x = 0; x < w; ++x)
      if (left[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)])
        row[x] = wash;
  }
  return tint_;
}

void FoundPointsOverlay::paint(QPainter& painter, const AppState& state, const Edits& edits) {
  const std::size_t count = static_cast<std::size_t>(std::max(0, state.DataPointCount));
  if (state.RunInProgress || state.FoundCentres.size() < count) return;
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
  if (state.ShowUnmatchedInk) {
    const QImage& tint = unmatchedTint(state);
    if (!tint.isNull()) painter.drawImage(QRect(d.Left, d.Top, d.width(), d.height()), tint);
  }
  const QRectF visible(v.Left - half_ - 1, v.Top - half_ - 1, v.width() + 2 * half_ + 2,
                       v.height() + 2 * half_ + 2);
  for (std::size_t i = 0; i < (state.ShowFoundPoints ? count : 0); ++i) {
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
