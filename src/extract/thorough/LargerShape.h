#pragma once

#include <vector>

#include "extract/thorough/InkPicture.h"
#include "extract/thorough/PlacementScore.h"
#include "extract/thorough/ThoroughTemplate.h"

// Telling the unit's symbol from a slightly larger symbol of the same colour
// that holds it, such as a circle a little wider than the unit's square:
// the template covers nearly all of such a symbol, and the rest is a thin
// rim around it.
//
// A detection standing alone is judged by the shape of its ink: the
// eight-connected ink around the placed template, within a margin. When that
// shape ends inside the margin, does not touch a neighbour and is cut by
// nothing, its ink is compared with the template's: a larger symbol has more
// ink, spread further out evenly in every direction; a line crossing the
// symbol or a neighbour touching it spreads it along one direction only.
//
// Such a detection is dropped on its own. Symbols of another kind that do
// not stand alone are told by their likeness to those that do (see
// SymbolKinds.h), which also uses the shapes standing alone.
struct ShapeExcess {
  bool judged = false;  // the shape stands alone and whole
  float excess = 0;     // extra ink times its evenness (0 .. 1), as a share of the template's
  float evenness = 0;   // how evenly the extra ink spreads (1: alike in every direction)
  double centreX = 0;   // the shape's ink centre, picture coordinates
  double centreY = 0;
};

// The ink of the template's colour at a picture pixel, less what `explained`
// explains: -1 off the picture, where a neighbour's body lies and where
// strong ink of another colour lies, 0 where faint ink is of another colour
// or the pixel is not to be judged.
class ColourInk {
 public:
  ColourInk(const InkPicture& picture, const ThoroughTemplate& unit, const ThoroughTuning& tuning,
            const ExplainedInk* explained);
  float at(int x, int y) const;

 private:
  const InkPicture& picture_;
  const ThoroughTemplate& unit_;
  const ExplainedInk* explained_;
  float ratio2_;
};

// The shape around the unshifted template placed at (x, y).
// The shape is followed through ink of at least `inkShare` of the strongest
// template pixel (the tuning's shape ink when negative).
ShapeExcess MeasureShapeExcess(const InkPicture& picture, const ThoroughTemplate& unit,
                               const ThoroughTuning& tuning, int x, int y, const ExplainedInk* explained,
                               float inkShare = -1);
