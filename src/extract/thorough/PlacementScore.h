#pragma once

#include <cstdint>
#include <vector>

#include "extract/thorough/InkPicture.h"
#include "extract/thorough/ThoroughTemplate.h"

// The numbers the thorough mode judges placements by. The defaults are
// measured on rendered plot scans; true symbols score 0.85 to 1, lines, text
// and other series stay under 0.6.
struct ThoroughTuning {
  float accept = 0.75f;         // a detection scores at least this
  float candidate = 0.5f;       // placements kept for acceptance score at least this
  float otherColour = 0.5f;     // ink whose part across the template's colour exceeds this
                                // times the part along it is of another colour
  float coveredColour = 0.25f;  // ink holding all of the template's and more, its part across beyond
                                // this times along, is the symbol under something else
  float coveredSlack = 12.0f;   // levels per channel the template's ink may lack there
  float evidence = 0.35f;       // share of the template's ink that must be judged
  float rimEvidence = 0.15f;    // the same for a symbol among others that explain the rest
  float inside = 0.4f;          // share of the template's ink inside the picture
  float holeAllowance = 0.3f;   // ink filling the hole beyond this share lowers the score
  float holeWeight = 1.5f;
  float lenientHoleAllowance = 0.6f;  // while neighbours are not all explained yet
  float surroundAllowance = 0.18f;    // the same for the inkless pixels around the symbol
  float surroundWeight = 2.0f;
  float lenientSurroundAllowance = 0.54f;  // while neighbours are not all explained yet
  float cutShare = 0.75f;                  // a template with less of its ink inside the picture is cut
  float cutWeight = 0.5f;                  // and loses this times the missing share below cutShare
  float twoLevelTolerance = 0.84f;  // share of a two-level template pixel's ink found beside it that counts
  float confirm = 0.5f;             // share of the occurrences that must show a template pixel's ink
  float shapeInk = 0.1f;            // a symbol's shape is its ink from this share of the strongest
  float clearShapeInk = 0.3f;       // the same for telling text from symbols: faint bridges between
                                    // letters do not join them
  float largerShape = 0.08f;        // a shape with more even extra ink than this is a larger symbol
  int fewestOtherKind = 3;          // symbols needed to make another kind
  float kindsApart = 3.0f;          // kinds lie this many times their members' spread apart
  float kindsUnlike = 0.12f;        // and their middles are at least this unlike
  float kindsCloser = 0.9f;         // a detection this much more like the other kind's middle is of it
  float overlapEvidence = 0.2f;     // a placement fitted among others must lower the misfit by this share
                                    // of its ink
};

// How a score judges the inkless surround: the first scan of the placements
// does not; acceptance, while the neighbours touching a symbol may not be
// explained yet, is lenient; pruning, with every other detection explained,
// judges it in full.
enum class Surround { Ignored, Lenient, Judged };

// Ink that accepted detections already explain, over a box of the picture
// (zero outside it): the pixelwise maximum of their templates.
struct ExplainedInk {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> ink;

  std::uint32_t at(int x, int y) const {
    const int i = x - left;
    const int j = y - top;
    if (i < 0 || j < 0 || i >= width || j >= height) return 0;
    return ink[static_cast<std::size_t>(j * width + i)];
  }
  void reset(int boxLeft, int boxTop, int boxWidth, int boxHeight);
  // Adds a placed template's ink (channel-wise maximum).
  void add(const PhaseTemplate& phase, int x, int y);
};

// Scores placements of a template's phases on an ink picture.
//
// Each picture pixel's ink (less what is explained) is split into the part
// along the template pixel's colour and the part across it. Ink clearly of
// another colour counts neither for nor against. Of the rest, the template's
// still-unexplained ink that is found (the smaller of the two per pixel) is
// the cover, and the part across the colour the mismatch; the score is
// (cover - mismatch) over the judged template ink, less penalties for ink
// filling the symbol's hole or its inkless surround beyond an allowance.
class PlacementScorer {
 public:
  static constexpr float NoScore = -1.0f;

  PlacementScorer(const InkPicture& picture, const ThoroughTemplate& unit, const ThoroughTuning& tuning);

  // Score of phase `phase` placed at (x, y); NoScore when too little of the
  // template lies inside the picture or too little of it can be judged.
  // `floor`: when the score is sure to stay under it, NoScore may be given early.
  float score(int x, int y, int phase, const ExplainedInk* explained = nullptr, float floor = NoScore,
              Surround surround = Surround::Judged) const;

  // The template's ink inside the picture at placement (x, y), phase 0.
  float insideLength(int x, int y) const;
  // Whether the unshifted template at (x, y) has enough of its ink inside.
  bool insideEnough(int x, int y) const;

 private:
  // What a placement's template pixels add up to (see score).
  struct Tally {
    float judged = 0;
    float found = 0;
    float mismatch = 0;
    float unjudged = 0;
    bool failed = false;  // sure to score under the floor, or too much ink of another colour
    float explained = 0;  // template ink explained in full already
  };
  // Tally of a placement with the template's grid inside the picture and
  // (when given) inside the explained box, four pixels at a time.
  // It gives up early when, with all that is left judged, too little of
  // the template could be (`evidence`: the share that must be).
  Tally tallyInside(int x, int y, int phase, const ExplainedInk* explained, float deficitLimit,
                    float otherLimit, float evidence) const;
  float fill(const std::vector<TemplateOffset>& offsets, int x, int y, const ExplainedInk* explained) const;
  // The most ink along the template pixel's colour beside picture pixel (x, y).
  float neighbourInk(int x, int y, const TemplatePixel& p, const ExplainedInk* explained) const;

  const InkPicture& picture_;
  const ThoroughTemplate& unit_;
  ThoroughTuning tuning_;
  // Running sums of phase 0's ink lengths over its grid, (gridWidth + 1) x
  // (gridHeight + 1), for the share inside the picture.
  std::vector<float> gridSums_;
  // Every phase's ink pixels, one array per quantity, padded with empty
  // pixels to a multiple of four: offsets in the picture's pixel array from
  // the placement point, places in the template, colour directions, lengths
  // and the ink per channel.
  struct PhaseLanes {
    std::vector<std::int32_t> offset, dx, dy;
    std::vector<float> length, dirRed, dirGreen, dirBlue, red, green, blue;
    std::vector<float> after;  // the lengths of the lanes from i + 1 on, every fourth lane
  };
  std::vector<PhaseLanes> lanes_;
};
