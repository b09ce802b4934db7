#include "extract/PointEdits.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "extract/DataPointList.h"
#include "extract/QuietObserver.h"
#include "extract/thorough/ThoroughSearch.h"
#include "state/Ui.h"

std::vector<FoundPoint> ListedPoints(const AppState& state) {
  const std::size_t n = std::min({static_cast<std::size_t>(std::max(0, state.DataPointCount)),
                                  state.VelocityArray.size(), state.CountsArray.size()});
  std::vector<FoundPoint> points(n);
  for (std::size_t i = 0; i < n; ++i) {
    points[i].velocity = state.VelocityArray[i];
    points[i].value = state.CountsArray[i];
    if (i < state.FoundCentres.size()) points[i].centre = state.FoundCentres[i];
  }
  return points;
}

FoundPoint PointAtCentre(const AppState& state, PictureCentre centre) {
  const AxisPoint p = MapCentreToAxes(centre.x, centre.y, state.WorkImage.width(), state.WorkImage.height(),
                                      state.VminValue, state.VmaxValue, state.MinValue, state.MaxValue);
  return {p.velocity, p.value, centre};
}

void SetListedPoints(AppState& state, Ui& ui, std::vector<FoundPoint> points) {
  state.VelocityArray.clear();
  state.CountsArray.clear();
  state.FoundCentres.clear();
  for (const FoundPoint& p : points) {
    state.VelocityArray.push_back(p.velocity);
    state.CountsArray.push_back(p.value);
    state.FoundCentres.push_back(p.centre);
  }
  SortListedPoints(state);
  const std::size_t n = points.size();
  state.DataPointCount = static_cast<std::int32_t>(n);
  state.AsciiSaved = false;
  ui.setPreviewCaption(PreviewCaption(n));
  ui.setStatusText(StatusData, "ASCII data: " + std::to_string(n));
  ui.repaintPreview();
  ui.repaintMain();
}

PictureCentre FittedCentreNear(const AppState& state, PictureCentre click) {
  const Bitmap& unit = state.UnitImagePicture;
  if (unit.empty() || state.WorkImage.empty()) return click;
  const int size = std::max(unit.width(), unit.height());
  // A window three symbols wide about the click holds any symbol within half
  // a symbol of it whole.
  const int left = std::max(0, static_cast<int>(std::floor(click.x)) - 3 * size / 2);
  const int top = std::max(0, static_cast<int>(std::floor(click.y)) - 3 * size / 2);
  const int right =
      std::min(state.WorkImage.width(), static_cast<int>(std::floor(click.x)) + 3 * size / 2 + 1);
  const int bottom =
      std::min(state.WorkImage.height(), static_cast<int>(std::floor(click.y)) + 3 * size / 2 + 1);
  if (right - left < unit.width() || bottom - top < unit.height()) return click;
  Bitmap window(right - left, bottom - top);
  window.copyRect(0, 0, state.WorkImage, {left, top, right, bottom});
  QuietObserver observer;
  ThoroughOptions options;
  options.useWorkerThread = false;
  const ThoroughResult found = FindSymbolsThorough(window, unit, observer, options);
  PictureCentre best = click;
  double nearest = size / 2.0;
  for (const ThoroughPoint& p : found.points) {
    const double d = std::hypot(left + p.x - click.x, top + p.y - click.y);
    if (d <= nearest) {
      nearest = d;
      best = {left + p.x, top + p.y};
    }
  }
  return best;
}

std::vector<FoundPoint> WithoutPoints(const std::vector<FoundPoint>& points,
                                      const std::vector<std::size_t>& indices) {
  std::vector<char> gone(points.size(), 0);
  for (const std::size_t i : indices)
    if (i < points.size()) gone[i] = 1;
  std::vector<FoundPoint> kept;
  for (std::size_t i = 0; i < points.size(); ++i)
    if (!gone[i]) kept.push_back(points[i]);
  return kept;
}

std::vector<FoundPoint> WithPointsMoved(const AppState& state, const std::vector<FoundPoint>& points,
                                        const std::vector<std::size_t>& indices, double dx, double dy) {
  std::vector<FoundPoint> moved = points;
  for (const std::size_t i : indices) {
    if (i >= moved.size()) continue;
    moved[i] = PointAtCentre(state, {moved[i].centre.x + dx, moved[i].centre.y + dy});
  }
  return moved;
}
