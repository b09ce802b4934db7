#include "extract/DataPointList.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "Stringop/NumberTextEditing.h"
#include "state/AppState.h"
#include "state/Ui.h"

AxisPoint MapCentreToAxes(long double cx, long double cy, int width, int height, double vmin, double vmax,
                          double min, double max) {
  using Real = long double;
  Real dx = static_cast<Real>(width - 1);
  if (!(dx > 0)) dx = 1;
  Real dy = static_cast<Real>(height - 1);
  if (!(dy > 0)) dy = 1;
  const Real v = static_cast<Real>(vmin) + (static_cast<Real>(vmax) - static_cast<Real>(vmin)) * cx / dx;
  const Real c = static_cast<Real>(min) + (static_cast<Real>(max) - static_cast<Real>(min)) * (dy - cy) / dy;
  return {static_cast<double>(v), static_cast<double>(c)};
}

AxisPoint MapToAxes(std::int64_t px, std::int64_t py, int width, int height, double vmin, double vmax,
                    double min, double max) {
  return MapCentreToAxes(static_cast<long double>(px), static_cast<long double>(py), width, height, vmin,
                         vmax, min, max);
}

std::string PreviewCaption(std::size_t pointCount) {
  return "ASCII form of the data [ " + std::to_string(pointCount) + " ]";
}

void ApplyCalibration(AppState& state, double vmin, double vmax, double min, double max) {
  state.CountsArray.clear();
  state.VelocityArray.clear();
  state.FoundCentres.clear();
  state.DataPointCount = 0;
  state.VminValue = vmin;
  state.VmaxValue = vmax;
  state.MinValue = min;
  state.MaxValue = max;
  // Only the vertical pair is put in order: Vmin above Vmax is a velocity
  // axis that runs from right to left.
  if (state.MaxValue < state.MinValue) std::swap(state.MinValue, state.MaxValue);
  state.PlotCaptions.XMin = state.VminValue;
  state.PlotCaptions.XMax = state.VmaxValue;
  state.PlotCaptions.YMin = state.MinValue;
  state.PlotCaptions.YMax = state.MaxValue;
}

void BeginSpectrum(AppState& state, const Ui& ui) {
  const double vmin = TextToNumber(ui.fieldText(Field::Vmin), 6);
  const double vmax = TextToNumber(ui.fieldText(Field::Vmax), 6);
  const double min = TextToNumber(ui.fieldText(Field::Min), 6);
  const double max = TextToNumber(ui.fieldText(Field::Max), 6);
  ApplyCalibration(state, vmin, vmax, min, max);
}

namespace {

// Appends a mapped point to the lists and shows the count; the preview plot
// is repainted at every tenth point.
void AppendDataPoint(AppState& state, Ui& ui, const AxisPoint& p, PictureCentre centre) {
  state.CountsArray.push_back(p.value);
  state.VelocityArray.push_back(p.velocity);
  state.FoundCentres.push_back(centre);
  const std::size_t n = state.CountsArray.size();
  state.DataPointCount = static_cast<std::int32_t>(n);
  ui.setPreviewCaption(PreviewCaption(n));
  ui.setStatusText(StatusData, "ASCII data: " + std::to_string(state.DataPointCount));
  if (n % 10 == 0) ui.repaintPreview();
}

}  // namespace

void RecordDataPoint(AppState& state, Ui& ui, std::int32_t x2, std::int32_t y, std::int32_t a) {
  const std::int64_t px = static_cast<std::int64_t>(x2) - a + state.TemplateCentreX;
  const std::int64_t py = static_cast<std::int64_t>(y) + state.TemplateCentreY;
  AppendDataPoint(state, ui,
                  MapToAxes(px, py, state.WorkImage.width(), state.WorkImage.height(), state.VminValue,
                            state.VmaxValue, state.MinValue, state.MaxValue),
                  {static_cast<double>(px), static_cast<double>(py)});
}

void RecordCentre(AppState& state, Ui& ui, long double cx, long double cy) {
  AppendDataPoint(state, ui,
                  MapCentreToAxes(cx, cy, state.WorkImage.width(), state.WorkImage.height(), state.VminValue,
                                  state.VmaxValue, state.MinValue, state.MaxValue),
                  {static_cast<double>(cx), static_cast<double>(cy)});
}

namespace {

// The order of the points by ascending velocity; equal velocities keep
// their order.
std::vector<std::size_t> VelocityOrder(const TSPD& velocities) {
  std::vector<std::size_t> order(velocities.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  if (std::any_of(velocities.begin(), velocities.end(), [](double v) { return std::isnan(v); })) {
    // NaN compares with nothing, so the order is the insertion sort's own:
    // each point moves left past every point of strictly greater velocity.
    for (std::size_t i = 1; i < order.size(); ++i) {
      for (std::size_t j = i; j > 0 && velocities[order[j]] < velocities[order[j - 1]]; --j)
        std::swap(order[j], order[j - 1]);
    }
    return order;
  }
  // Without NaN, "less than" orders the velocities strictly and weakly, and a
  // stable merge sort gives exactly the insertion sort's order without its
  // quadratic time.
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t l, std::size_t r) { return velocities[l] < velocities[r]; });
  return order;
}

template <typename T>
void Reorder(std::vector<T>& items, const std::vector<std::size_t>& order) {
  if (items.size() != order.size()) return;
  std::vector<T> sorted;
  sorted.reserve(items.size());
  for (const std::size_t k : order) sorted.push_back(items[k]);
  items = std::move(sorted);
}

}  // namespace

void SortByVelocity(TSPD& velocities, TSPD& values) {
  const std::vector<std::size_t> order = VelocityOrder(velocities);
  Reorder(velocities, order);
  Reorder(values, order);
}

void SortListedPoints(AppState& state) {
  const std::vector<std::size_t> order = VelocityOrder(state.VelocityArray);
  Reorder(state.VelocityArray, order);
  Reorder(state.CountsArray, order);
  Reorder(state.FoundCentres, order);
}

void FinishSpectrum(AppState& state) {
  const std::size_t n = state.CountsArray.size();
  if (!state.StopRequested && n > 1) SortListedPoints(state);
  // A run without points leaves the count at 0, so that nothing reads past the lists.
  state.DataPointCount = static_cast<std::int32_t>(n);
}
