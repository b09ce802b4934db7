#include "extract/thorough/OtherKinds.h"

#include <algorithm>
#include <optional>

#include "extract/thorough/LargerShape.h"
#include "extract/thorough/OverlapFit.h"
#include "extract/thorough/SymbolKinds.h"

namespace {

// How far around a detection's box its shape is followed.
constexpr int ShapeReach = 6;
// Extra ink at least this even all round is not that of two symbols nearly
// on top of each other (their extra ink lies along the line joining them).
constexpr float PairEvenness = 0.85f;
// Detections of another kind tried as pairs before the rest are taken as
// that kind.
constexpr std::size_t FirstPairTests = 8;

// What the rules of one search judge by: the detections and the strong
// candidates away from them, each with its shape.
class KindsJudge {
 public:
  KindsJudge(SearchState& s, const std::vector<Position>& strongCandidates) : s_(s) {
    for (int i = 0; i < s.detections.size(); ++i) {
      if (s.detections[i].removed) continue;
      ids_.push_back(i);
      places_.push_back(s.detections[i].at);
    }
    std::vector<int> near;
    for (const Position& c : strongCandidates) {
      s.detections.near(Widened(s.detections.boxOf(c), 1), near);
      if (s.detections.sameAsAccepted(c, near)) continue;
      ids_.push_back(-1);
      places_.push_back(c);
    }
    shapes_.resize(places_.size());
    clear_.assign(places_.size(), 0);
    samples_.resize(places_.size());
    sampled_.assign(places_.size(), 0);
    other_.assign(places_.size(), 0);
  }

  std::size_t size() const { return places_.size(); }
  int id(std::size_t k) const { return ids_[k]; }
  const ShapeExcess& shape(std::size_t k) const { return shapes_[k]; }
  // Whether the shape stands alone when followed through strong ink only.
  bool clear(std::size_t k) const { return clear_[k] != 0; }
  char& other(std::size_t k) { return other_[k]; }
  Rect box(std::size_t k) const { return s_.detections.boxOf(places_[k]); }

  void measureShape(std::size_t k, LaneScratch& scratch) {
    explainAround(k, scratch);
    const Placement p = PlacementOf(places_[k]);
    shapes_[k] = MeasureShapeExcess(s_.ink, s_.unit, s_.tuning, p.x, p.y, &scratch.explained);
    clear_[k] = shapes_[k].judged || MeasureShapeExcess(s_.ink, s_.unit, s_.tuning, p.x, p.y,
                                                        &scratch.explained, s_.tuning.clearShapeInk)
                                         .judged
                    ? 1
                    : 0;
  }
  // The sample at place k, taken once: the detections do not change while
  // the rules judge them.
  const InkSample& sample(std::size_t k, LaneScratch& scratch) {
    if (!sampled_[k]) {
      explainAround(k, scratch);
      const double x = places_[k].x / static_cast<double>(PhaseSteps) + s_.unit.centreX;
      const double y = places_[k].y / static_cast<double>(PhaseSteps) + s_.unit.centreY;
      samples_[k] = InkSample(s_.ink, s_.unit, s_.tuning, x, y, &scratch.explained);
      sampled_[k] = 1;
    }
    return samples_[k];
  }

 private:
  void explainAround(std::size_t k, LaneScratch& scratch) const {
    s_.detections.explainAround(Widened(box(k), ShapeReach), ids_[k], scratch.explained, scratch.near);
  }

  SearchState& s_;
  std::vector<int> ids_;  // the detection at each place, -1 for a candidate
  std::vector<Position> places_;
  std::vector<ShapeExcess> shapes_;
  std::vector<char> clear_;
  std::vector<char> other_;
  std::vector<InkSample> samples_;
  std::vector<char> sampled_;
};

}  // namespace

bool RejectOtherKinds(SearchState& s, const std::vector<Position>& strongCandidates,
                      std::vector<Rect>& otherBoxes) {
  const ThoroughTuning& t = s.tuning;
  KindsJudge judge(s, strongCandidates);
  const int count = static_cast<int>(judge.size());
  const std::int64_t work = static_cast<std::int64_t>(s.unit.gridWidth() * s.unit.gridHeight()) * 4;
  if (!s.lanes.each(count, [&](int k, int lane) {
        judge.measureShape(static_cast<std::size_t>(k), s.scratch[static_cast<std::size_t>(lane)]);
        return s.keepGoing(lane, work);
      }))
    return false;
  std::vector<std::size_t> standing;  // the places standing alone
  std::vector<std::size_t> clear;     // those standing alone through strong ink
  for (std::size_t k = 0; k < judge.size(); ++k) {
    if (judge.shape(k).judged && judge.shape(k).excess > t.largerShape) judge.other(k) = 1;
    if (judge.shape(k).judged) standing.push_back(k);
    if (judge.clear(k)) clear.push_back(k);
  }
  // A two-level symbol's strokes vary by a pixel from place to place; too
  // few symbols standing alone tell no kinds apart.
  if (!s.unit.twoLevel) {
    const auto sampleAll = [&](const std::vector<std::size_t>& of, std::vector<InkSample>& out) {
      out.resize(of.size());
      return s.lanes.each(static_cast<int>(of.size()), [&](int i, int lane) {
        out[static_cast<std::size_t>(i)] =
            judge.sample(of[static_cast<std::size_t>(i)], s.scratch[static_cast<std::size_t>(lane)]);
        return s.keepGoing(lane, work * 2);
      });
    };
    std::vector<InkSample> samples;
    std::vector<InkSample> clearSamples;
    if (!sampleAll(standing, samples) || !sampleAll(clear, clearSamples)) return false;
    const InkSample unitSample(s.unit);
    if (static_cast<int>(clear.size()) >= 2 * t.fewestOtherKind) {
      if (const std::optional<float> gap = UnlikeGap(clearSamples, unitSample, t)) {
        for (std::size_t i = 0; i < clear.size(); ++i) {
          if (Unlikeness(clearSamples[i], unitSample) >= *gap) judge.other(clear[i]) = 1;
        }
      }
    }
    const std::optional<SymbolKinds> kinds = static_cast<int>(standing.size()) >= 2 * t.fewestOtherKind
                                                 ? SplitKinds(samples, unitSample, t)
                                                 : std::nullopt;
    // Every detection goes with the kind it is clearly more like.
    if (kinds && !s.lanes.each(count, [&](int i, int lane) {
          const std::size_t k = static_cast<std::size_t>(i);
          if (judge.id(k) >= 0 &&
              kinds->isOther(judge.sample(k, s.scratch[static_cast<std::size_t>(lane)]), t))
            judge.other(k) = 1;
          return s.keepGoing(lane, work * 2);
        }))
      return false;
  }
  // Two of the unit's symbols nearly on top of each other look like another
  // kind; the overlap fit places both. A pair spreads its extra ink along
  // the line joining the two: a shape standing alone with extra ink even all
  // round is no pair.
  std::vector<std::size_t> flagged;
  for (std::size_t k = 0; k < judge.size(); ++k) {
    const bool evenAllRound = judge.shape(k).judged && judge.shape(k).evenness >= PairEvenness;
    if (judge.other(k) && judge.id(k) >= 0 && !evenAllRound) flagged.push_back(k);
  }
  const auto testPairs = [&](std::size_t from, std::size_t to, int& pairs) {
    std::vector<char> pair(to - from, 0);
    const bool done = s.lanes.each(static_cast<int>(to - from), [&](int i, int lane) {
      const std::size_t k = flagged[from + static_cast<std::size_t>(i)];
      pair[static_cast<std::size_t>(i)] =
          TwoSymbolsExplain(s, judge.id(k), s.scratch[static_cast<std::size_t>(lane)]) ? 1 : 0;
      return s.keepGoing(lane, work * 4);
    });
    for (std::size_t i = 0; i < pair.size(); ++i) {
      if (!pair[i]) continue;
      judge.other(flagged[from + i]) = 0;
      ++pairs;
    }
    return done;
  };
  // Pairs are coincidences: when none is among the first few of a kind,
  // the rest are of that kind too.
  int pairs = 0;
  const std::size_t first = std::min(flagged.size(), FirstPairTests);
  if (!testPairs(0, first, pairs)) return false;
  if (pairs > 0 && !testPairs(first, flagged.size(), pairs)) return false;
  for (std::size_t k = 0; k < judge.size(); ++k) {
    if (!judge.other(k)) continue;
    otherBoxes.push_back(Widened(judge.box(k), 2));
    if (judge.id(k) >= 0) s.detections.remove(judge.id(k));
  }
  return true;
}
