#include "extract/channels/ChannelGrid.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <iomanip>
#include <numbers>
#include <sstream>

namespace {

constexpr int LeastColumns = 8;
// A column within this share of the spacing from the grid lies on it.
constexpr double OnGridShare = 0.25;
// Of the spacings whose columns line up nearly as well as the best, the
// largest: a half or a third of the true spacing lines them up as well.
constexpr double NearBest = 0.8;
constexpr double LeastAlignment = 0.15;

// How well the columns line up on a grid of this spacing: the length of
// the mean of their phases as unit vectors, 1 for a perfect grid.
double Alignment(const std::vector<double>& centred, double spacing, double* phase = nullptr) {
  const double w = 2 * std::numbers::pi / spacing;
  double c = 0;
  double s = 0;
  for (const double x : centred) {
    c += std::cos(w * x);
    s += std::sin(w * x);
  }
  if (phase != nullptr) *phase = std::atan2(s, c);
  return std::hypot(c, s) / static_cast<double>(centred.size());
}

struct Peak {
  double spacing;
  double alignment;
};

// The local maxima of the alignment over spacings low .. high (the ends
// count when they are highest), by increasing spacing, and the highest
// alignment in `best`. The frequency 1 / spacing is stepped evenly, so that
// the phase of a column `reach` from the middle moves by about 0.3 rad a
// step, and each column's phase vector is turned on by one multiplication.
std::vector<Peak> AlignmentPeaks(const std::vector<double>& centred, double low, double high, double reach,
                                 double& best) {
  const double lowFrequency = 1 / high;
  const double highFrequency = 1 / low;
  const double step = 0.3 / (2 * std::numbers::pi * std::max(reach, 1.0));
  std::vector<std::complex<double>> phase, turn;
  for (const double x : centred) {
    phase.push_back(std::polar(1.0, 2 * std::numbers::pi * x * lowFrequency));
    turn.push_back(std::polar(1.0, 2 * std::numbers::pi * x * step));
  }
  const double n = static_cast<double>(centred.size());
  std::vector<Peak> peaks;
  double previous = -1, beforePrevious = -1;
  double previousFrequency = lowFrequency;
  for (double f = lowFrequency; f <= highFrequency; f += step) {
    std::complex<double> sum = 0;
    for (std::size_t i = 0; i < phase.size(); ++i) {
      sum += phase[i];
      phase[i] *= turn[i];
    }
    const double a = std::abs(sum) / n;
    if (previous >= beforePrevious && previous >= a) peaks.push_back({1 / previousFrequency, previous});
    best = std::max(best, a);
    beforePrevious = previous;
    previous = a;
    previousFrequency = f;
  }
  if (previous >= beforePrevious && previous >= 0) peaks.push_back({1 / previousFrequency, previous});
  std::reverse(peaks.begin(), peaks.end());
  return peaks;
}

struct Fit {
  double offset = 0;  // column of channel 0 (relative to the centre)
  double spacing = 0;
  int onGrid = 0;
  double rms = 0;
};

// Least squares x = offset + k * spacing over the columns near the grid,
// each given the channel nearest to it.
Fit Refine(const std::vector<double>& centred, Fit fit) {
  for (int round = 0; round < 4; ++round) {
    double n = 0, sk = 0, sx = 0, skk = 0, skx = 0;
    for (const double x : centred) {
      const double k = std::nearbyint((x - fit.offset) / fit.spacing);
      if (std::abs(x - fit.offset - k * fit.spacing) > OnGridShare * fit.spacing) continue;
      n += 1;
      sk += k;
      sx += x;
      skk += k * k;
      skx += k * x;
    }
    const double det = n * skk - sk * sk;
    if (n < 2 || det <= 0) break;
    fit.spacing = (n * skx - sk * sx) / det;
    fit.offset = (sx - fit.spacing * sk) / n;
  }
  fit.onGrid = 0;
  double squares = 0;
  for (const double x : centred) {
    const double k = std::nearbyint((x - fit.offset) / fit.spacing);
    const double r = x - fit.offset - k * fit.spacing;
    if (std::abs(r) > OnGridShare * fit.spacing) continue;
    ++fit.onGrid;
    squares += r * r;
  }
  fit.rms = fit.onGrid > 0 ? std::sqrt(squares / fit.onGrid) : 0;
  return fit;
}

double Median(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

}  // namespace

ChannelGridEstimate EstimateChannelGrid(std::vector<double> columns, const ChannelGridSearch& search) {
  ChannelGridEstimate result;
  const int count = static_cast<int>(columns.size());
  if (count < LeastColumns) {
    result.why = "only " + std::to_string(count) + (count == 1 ? " confident symbol" : " confident symbols") +
                 ", at least " + std::to_string(LeastColumns) + " are needed";
    return result;
  }
  std::sort(columns.begin(), columns.end());
  std::vector<double> gaps;
  for (std::size_t i = 1; i < columns.size(); ++i) {
    if (columns[i] - columns[i - 1] > 0.5) gaps.push_back(columns[i] - columns[i - 1]);
  }
  if (gaps.size() + 1 < LeastColumns) {
    result.why = "the confident symbols stand in fewer than " + std::to_string(LeastColumns) + " columns";
    return result;
  }
  // Phases taken about the middle column keep the scan's step coarse.
  const double centre = (columns.front() + columns.back()) / 2;
  const double halfSpan = (columns.back() - columns.front()) / 2;
  std::vector<double> centred;
  centred.reserve(columns.size());
  for (const double x : columns) centred.push_back(x - centre);

  // Every gap between neighbours holds a whole number of channels, so the
  // spacing is no more than the usual gap.
  double low = search.minSpacing;
  double high = Median(gaps) * 1.05;
  if (search.expectedSpacing) {
    low = *search.expectedSpacing * 0.95;
    high = *search.expectedSpacing * 1.05;
  }
  low = std::max(low, search.minSpacing);
  if (high < low) {
    std::ostringstream why;
    why << "the symbols stand closer than " << std::setprecision(3) << search.minSpacing << " px";
    result.why = why.str();
    return result;
  }
  double best = 0;
  const std::vector<Peak> peaks = AlignmentPeaks(centred, low, high, halfSpan, best);

  // Random columns line up on some spacing of the many tried about as
  // well as sqrt(log(tries) / n): a grid must stand well above that.
  const double tries = std::max(2.0, 2 * halfSpan * (1 / low - 1 / high));
  const double least = std::max(LeastAlignment, 1.5 * std::sqrt(std::log(tries) / count));
  std::optional<Fit> chosen;
  for (auto it = peaks.rbegin(); it != peaks.rend(); ++it) {
    if (it->alignment < NearBest * best || it->alignment < least) continue;
    double phase = 0;
    Alignment(centred, it->spacing, &phase);
    Fit fit{phase / (2 * std::numbers::pi) * it->spacing, it->spacing, 0, 0};
    fit = Refine(centred, fit);
    if (!chosen || fit.onGrid > chosen->onGrid + count / 10) chosen = fit;
    if (!search.expectedSpacing) break;  // the largest spacing that lines them up
  }
  // Most confident symbols must lie on it: another series or text on the
  // page does not make a grid.
  if (!chosen || chosen->onGrid < std::max(LeastColumns, (count + 1) / 2)) {
    result.why = "only " + std::to_string(chosen ? chosen->onGrid : 0) + " of " + std::to_string(count) +
                 " confident symbols line up on one";
    return result;
  }
  ChannelGrid grid;
  grid.spacing = chosen->spacing;
  const double first = chosen->offset + centre;
  grid.offset = first - std::floor(first / grid.spacing) * grid.spacing;
  grid.onGrid = chosen->onGrid;
  grid.rms = chosen->rms;
  result.grid = grid;
  return result;
}
