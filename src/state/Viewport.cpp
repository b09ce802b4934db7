#include "state/Viewport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// Offset of a picture larger than the view: a percentage of the part that
// does not fit, rounded half to even.
int ScrollOffset(int pictureExtent, int barExtent, int position) {
  double offset = static_cast<double>(pictureExtent - barExtent + 1) * position / 100.0;
  if (offset < 0.0) offset = 0.0;
  return static_cast<int>(std::nearbyint(offset));
}

int CeilingOf(double t) {
  double whole = std::trunc(t);
  if (whole < t) whole += 1.0;
  return static_cast<int>(whole);
}

}  // namespace

void LayoutViewport(AppState& state, const ViewportGeometry& g) {
  state.ViewArea = {g.PanelWidth, g.PanelTop, g.VertBarLeft, g.HorizBarTop - 1};
  const int w = state.WorkImage.width();
  const int h = state.WorkImage.height();
  state.SourceRect = {0, 0, w, h};

  Rect& d = state.DisplayRect;
  const Rect& v = state.ViewArea;
  if (state.Zoom > 0) {
    d = {v.Left, v.Top, v.Left + state.Zoom * w, v.Top + state.Zoom * h};
  } else {
    const int divisor = std::abs(2 * state.Zoom);
    d = {v.Left, v.Top, v.Left + w / divisor, v.Top + h / divisor};
  }
  const int displayWidth = d.width();
  const int displayHeight = d.height();

  if (d.Bottom > v.Bottom) {
    const int offset = ScrollOffset(displayHeight, g.VertBarHeight, g.VertBarPosition);
    d.Top -= offset;
    d.Bottom -= offset;
  }
  if (d.Right > v.Right) {
    const int offset = ScrollOffset(displayWidth, g.HorizBarWidth, g.HorizBarPosition);
    d.Left -= offset;
    d.Right -= offset;
  }
}

int ZoomDown(int z) {
  if (z == 1) return -1;
  if (z < 0) return z >= -16 ? z * 2 : z;
  return z / 2;
}

int ZoomUp(int z) {
  if (z == -1) return 1;
  if (z < 0) return z / 2;
  return z <= 16 ? z * 2 : z;
}

Rect MapSelectionToBitmap(const AppState& state) {
  Rect r{0, 0, 0, 0};
  if (!state.SelectionActive) return r;
  const Rect& s = state.SelectionScreenRect;
  const Rect& d = state.DisplayRect;
  const double sx = static_cast<double>(state.WorkImage.width()) / (d.Right - d.Left + 1);
  const double sy = static_cast<double>(state.WorkImage.height()) / (d.Bottom - d.Top + 1);
  r.Left = CeilingOf((s.Left - d.Left + 1) * sx) - 1;
  r.Right = CeilingOf((s.Right - d.Left + 1) * sx) - 1;
  r.Top = CeilingOf((s.Top - d.Top + 1) * sy) - 1;
  r.Bottom = CeilingOf((s.Bottom - d.Top + 1) * sy) - 1;
  NormaliseBitmapRect(r, state.WorkImage.width(), state.WorkImage.height());
  return r;
}

void NormaliseBitmapRect(Rect& r, int width, int height) {
  if (r.Right < r.Left && r.Bottom < r.Top) {
    std::swap(r.Left, r.Right);
    std::swap(r.Top, r.Bottom);
  } else if (r.Right < r.Left) {
    std::swap(r.Left, r.Right);
  } else if (r.Bottom < r.Top) {
    std::swap(r.Top, r.Bottom);
  }
  if (r.Right > width - 1) r.Right = width - 1;
  if (r.Bottom > height - 1) r.Bottom = height - 1;
  if (r.Left < 0) r.Left = 0;
  if (r.Top < 0) r.Top = 0;
  if (r.Left > r.Right || r.Top > r.Bottom) r = {-1, -1, -1, -1};
}

namespace {

std::array<double, 2> Scales(const AppState& state) {
  const Rect& d = state.DisplayRect;
  return {static_cast<double>(d.width()) / std::max(1, state.WorkImage.width()),
          static_cast<double>(d.height()) / std::max(1, state.WorkImage.height())};
}

}  // namespace

ScreenPoint PictureToScreen(const AppState& state, PictureCentre centre) {
  const auto [sx, sy] = Scales(state);
  return {state.DisplayRect.Left + (centre.x + 0.5) * sx, state.DisplayRect.Top + (centre.y + 0.5) * sy};
}

PictureCentre ScreenToPicture(const AppState& state, ScreenPoint at) {
  const auto [sx, sy] = Scales(state);
  return {(at.x - state.DisplayRect.Left) / sx - 0.5, (at.y - state.DisplayRect.Top) / sy - 0.5};
}

double DisplayScale(const AppState& state) {
  const auto [sx, sy] = Scales(state);
  return std::min(sx, sy);
}
