#pragma once

#include "extract/thorough/InkPicture.h"
#include "extract/thorough/PlacementScore.h"
#include "extract/thorough/ThoroughTemplate.h"

struct CentreShift {
  double dx = 0;
  double dy = 0;
};

// The shift (under a pixel) that best lays the phase template, placed at
// (x, y), over the ink that `others` leave: a least-squares fit of a gain and
// a shift to the template's ink along its colour, repeated a few times, with
// pixels that disagree strongly weighed down. Pixels outside the picture and
// ink of another colour take no part, so a symbol cut by the picture's edge
// keeps the whole symbol's centre.
CentreShift RefineCentre(const InkPicture& picture, const ThoroughTemplate& unit, const PhaseTemplate& phase,
                         int x, int y, const ExplainedInk& others, const ThoroughTuning& tuning);
