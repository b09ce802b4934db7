#include "extract/channels/ChannelSearch.h"

#include "extract/channels/ChannelFit.h"
#include "extract/thorough/Centres.h"
#include "extract/thorough/ThoroughStages.h"

ChannelSearchResult FindChannelPoints(const Bitmap& picture, const Bitmap& unit, ThoroughObserver& observer,
                                      const ChannelSearchOptions& options) {
  ChannelSearchResult result;
  SearchState s(picture, unit, observer, options.thorough);
  if (s.unit.empty() || s.width <= 0 || s.height <= 0) {
    result.report = "cannot find an equal channel spacing: the unit holds no ink";
    return result;
  }
  std::vector<Rect> otherKinds;
  const auto stopped = [&] {
    ThoroughResult partial = StoppedResult(s);
    result.points = std::move(partial.points);
    result.stopped = true;
    return result;
  };
  if (!FindDetections(s, otherKinds)) return stopped();

  // Centres refined against what the other detections explain: in a band
  // of overlapping symbols the rough ones lean towards their neighbours.
  std::vector<ThoroughPoint> seeds;
  if (!RefinedCentres(s, seeds)) return stopped();
  std::vector<double> columns;
  for (const ThoroughPoint& p : seeds) columns.push_back(p.x);
  ChannelGridSearch search;
  if (options.channels && *options.channels > 0) {
    search.expectedSpacing = static_cast<double>(s.width) / *options.channels;
  }
  const ChannelGridEstimate estimate = EstimateChannelGrid(columns, search);
  if (!estimate.grid) {
    result.report = "cannot find an equal channel spacing: " + estimate.why;
    if (!FinishDetections(s, otherKinds, result.points)) return stopped();
    return result;
  }
  ChannelFitResult fitted;
  if (!FitChannels(s, *estimate.grid, seeds, fitted)) return stopped();
  result.grid = fitted.grid;
  result.channels = fitted.channels;
  for (const ChannelPoint& p : fitted.points) result.points.push_back({p.x, p.y, 1.0f});
  result.report =
      std::to_string(fitted.channels) + " channels, " + std::to_string(fitted.points.size()) + " found";
  return result;
}
