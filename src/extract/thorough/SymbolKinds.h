#pragma once

#include <optional>
#include <vector>

#include "extract/thorough/InkPicture.h"
#include "extract/thorough/PlacementScore.h"
#include "extract/thorough/ThoroughTemplate.h"

// Telling the unit's symbol from another kind of symbol of the same colour
// that it matches nearly as well: a circle a little wider than the unit's
// square, a square as wide as the unit's circle. One such symbol scores like
// a true one spoilt by noise or a crossing line; many of them look alike,
// and unlike the unit.
//
// Every detection's ink is sampled around its centre. The samples of the
// symbols that stand alone, clear of lines and neighbours (see
// LargerShape.h), are split in two groups, one gathered round the unit's own
// ink and one round another sample (two-means). The second group is another
// kind of symbol when it has a few members, its middle is clearly unlike the
// first group's, and lies far from it compared with how far the members of
// either group lie from their own. Every detection then goes with the
// middle it is clearly more like. Symbols drawn at different fractions of a pixel
// differ a little and continuously, and make no such groups.
class InkSample {
 public:
  // The ink of the template's colour around (centreX, centreY) in the
  // picture, less what `explained` explains; neighbours' bodies are not
  // sampled.
  InkSample(const InkPicture& picture, const ThoroughTemplate& unit, const ThoroughTuning& tuning,
            double centreX, double centreY, const ExplainedInk* explained);
  // The unit's own ink, sampled alike.
  explicit InkSample(const ThoroughTemplate& unit);
  InkSample() = default;

  // How unlike two samples are, over the pixels both show: the ink they do
  // not share as a share of the ink of either (0 .. 1).
  friend float Unlikeness(const InkSample& a, const InkSample& b);
  // The average of some samples, pixel by pixel over those that show it.
  static InkSample Middle(const std::vector<const InkSample*>& samples);

 private:
  static int ReachOf(const ThoroughTemplate& unit);
  // Blurs the sample a little: symbols drawn at different fractions of a
  // pixel then differ less, shapes as much.
  void smooth();

  int reach_ = 0;  // sampled from -reach to reach around the centre
  std::vector<float> ink_;
  std::vector<char> shown_;
};

// The middles of the two kinds of symbols in a picture.
struct SymbolKinds {
  InkSample unit;   // the symbols like the unit's
  InkSample other;  // the others
  // Whether a sample is of the other kind: clearly more like its middle.
  bool isOther(const InkSample& sample, const ThoroughTuning& tuning) const;
};

// Among the symbols standing alone, those like the unit and many others all
// unlike it, but unlike each other too (the letters of a text): no second
// kind gathers them, yet a wide gap parts them from the unit's. The
// unlikeness to the unit from which on a symbol standing alone is not the
// unit's, when the samples show such a gap.
std::optional<float> UnlikeGap(const std::vector<InkSample>& alone, const InkSample& unit,
                               const ThoroughTuning& tuning);

// The two kinds that the samples of symbols standing alone (clear of lines
// and neighbours) split in, if they do.
std::optional<SymbolKinds> SplitKinds(const std::vector<InkSample>& alone, const InkSample& unit,
                                      const ThoroughTuning& tuning);
