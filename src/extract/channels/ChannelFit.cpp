#include "extract/channels/ChannelFit.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "extract/channels/ChannelSolver.h"
#include "extract/channels/ColumnBias.h"

namespace {

// A finer grid must lower the misfit by this share of each added symbol's ink.
constexpr float FinerGridPrice = 0.01f;
// Finer grids are tried only when the channels leave more misfit than this
// share of a symbol's ink per channel: a grid that explains its band leaves
// a few per cent.
constexpr float CoarseMisfit = 0.15f;
// The refined grid is trusted to lie within this share of a spacing of the
// symbols' own centres.
constexpr double LargestBias = 0.25;

}  // namespace

bool FitChannels(SearchState& s, const ChannelGrid& grid, const std::vector<ThoroughPoint>& seeds,
                 ChannelFitResult& out) {
  out = {};
  if (s.unit.empty() || grid.spacing <= 0) return true;
  const std::vector<std::uint32_t> judged = JudgedInk(s);
  ChannelGrid current = grid;
  auto solver = std::make_unique<ChannelSolver>(s, current, seeds, judged);
  if (!solver->firstPass()) return false;
  // Confident detections in a band of overlapping symbols may keep to every
  // second or third channel, or each stand for two neighbours at once
  // between their columns: their columns then line up on a multiple of the
  // spacing. A finer grid, at the best of its offsets an eighth of a
  // spacing apart, is taken when its channels explain the picture better by
  // more than a share of each added symbol's ink.
  std::vector<double> columns;
  for (const ThoroughPoint& p : seeds) columns.push_back(p.x);
  for (bool finer = true; finer;) {
    finer = false;
    const double coarse = solver->totalMisfit();
    const int coarseCount = solver->presentCount();
    const double symbolInk = s.unit.phases[0].totalLength;
    if (coarse < CoarseMisfit * symbolInk * coarseCount) break;
    for (const int m : {2, 3}) {
      ChannelGridSearch search;
      search.expectedSpacing = current.spacing / m;
      if (*search.expectedSpacing < search.minSpacing) continue;
      const ChannelGridEstimate estimate = EstimateChannelGrid(columns, search);
      if (!estimate.grid) continue;
      std::unique_ptr<ChannelSolver> best;
      double bestMisfit = 0;
      ChannelGrid bestGrid;
      for (int j = 0; j < 8; ++j) {
        ChannelGrid trial = *estimate.grid;
        trial.offset = std::fmod(trial.offset + j * trial.spacing / 8, trial.spacing);
        auto candidate = std::make_unique<ChannelSolver>(s, trial, seeds, judged);
        if (!candidate->firstPass()) return false;
        const double misfit = candidate->totalMisfit();
        if (best && misfit >= bestMisfit) continue;
        best = std::move(candidate);
        bestMisfit = misfit;
        bestGrid = trial;
      }
      const double added = best->presentCount() - coarseCount;
      if (bestMisfit + FinerGridPrice * symbolInk * std::max(0.0, added) >= coarse) continue;
      current = bestGrid;
      solver = std::move(best);
      finer = true;
      break;
    }
  }
  if (!solver->finish()) return false;
  // The rows again at the refined columns, and then pairs of channels
  // jointly.
  solver->refineGrid(current);
  if (!solver->finish() || !solver->polish()) return false;
  solver->collect(out);
  out.grid = current;
  // The columns so far are where the template fits, and its centre is one
  // symbol's: the grid moves to the centres the symbols' own ink shows.
  const std::optional<ColumnShift> bias = ColumnBias(judged, s.width, s.height, s.unit, out.points);
  if (bias && !out.points.empty() &&
      std::abs(bias->at(out.points.front().channel)) <= LargestBias * current.spacing &&
      std::abs(bias->at(out.points.back().channel)) <= LargestBias * current.spacing) {
    out.grid.offset += bias->first;
    out.grid.spacing += bias->perChannel;
    for (ChannelPoint& p : out.points) p.x += bias->at(p.channel);
  }
  return true;
}
