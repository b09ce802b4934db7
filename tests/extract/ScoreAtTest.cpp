#include <gtest/gtest.h>

#include "extract/ScoreAt.h"
#include "extract/TestPictures.h"

namespace {

// A symbol whose top row has anchors at columns 1 and 2.
const Bitmap RedSymbol = PictureFromArt({
    ".RR.",
    "RRRR",
    ".RR.",
});

Bitmap Recoloured(const Bitmap& symbol, Colour colour) {
  Bitmap out = symbol;
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x)
      if (!IsWhite(out.pixel(x, y))) out.setPixel(x, y, colour);
  return out;
}

struct ColourCase {
  const char* name;
  Colour printed;
  bool strict;
  std::int64_t expectedPerPixel;  // a red pixel's ink is 510
};

// A pure red template against the same shape printed in other colours, placed
// so that the first top-row pixel lies on (x, y) = (3, 2).
TEST(ScoreAt, ScoresByColourAndStrictness) {
  const ColourCase cases[] = {
      {"red, plain", MakeColour(255, 0, 0), false, 510},
      {"black, plain", BlackColour, false, 510},
      {"blue, plain", MakeColour(0, 0, 255), false, 255},
      {"red, strict", MakeColour(255, 0, 0), true, 510},
      {"black, strict", BlackColour, true, 255},
      {"blue, strict", MakeColour(0, 0, 255), true, 0},
      {"grey 128, plain", MakeColour(128, 128, 128), false, 254},
  };
  for (const ColourCase& c : cases) {
    SCOPED_TRACE(c.name);
    Bitmap picture(10, 8);
    StampSymbol(picture, Recoloured(RedSymbol, c.printed), 2, 2);
    const ScoreResult r = ScoreAt(picture, RedSymbol, 3, 2, c.strict);
    if (c.expectedPerPixel == 0) {
      EXPECT_EQ(r, (ScoreResult{0, 0}));
    } else {
      EXPECT_EQ(r, (ScoreResult{8 * c.expectedPerPixel, 1}));
    }
  }
}

TEST(ScoreAt, BlackTemplateIsUnchangedByStrictness) {
  const Bitmap black = Recoloured(RedSymbol, BlackColour);
  Bitmap picture(10, 8);
  StampSymbol(picture, Recoloured(RedSymbol, MakeColour(40, 200, 90)), 2, 2);
  picture.setPixel(6, 3, MakeColour(1, 2, 3));  // ink outside the shape
  for (int x = 0; x < 10; ++x) {
    for (int y = 0; y < 8; ++y) {
      EXPECT_EQ(ScoreAt(picture, black, x, y, false), ScoreAt(picture, black, x, y, true)) << x << "," << y;
    }
  }
}

TEST(ScoreAt, EqualSumsKeepTheLeftAnchorAndNothingAboveZeroGivesZeroZero) {
  const Bitmap unit = PictureFromArt({"X.X"});  // anchors 0 and 2
  Bitmap picture(7, 1);
  picture.setPixel(3, 0, BlackColour);
  // Anchor 0 and anchor 2 both cover the one black pixel.
  EXPECT_EQ(ScoreAt(picture, unit, 3, 0, false), (ScoreResult{765, 0}));
  // Placed so the black pixel falls under the template's white middle: nothing.
  EXPECT_EQ(ScoreAt(picture, unit, 4, 0, false), (ScoreResult{0, 0}));
  // Anchor 2 alone covers it from here: the only positive sum wins.
  EXPECT_EQ(ScoreAt(picture, unit, 5, 0, false), (ScoreResult{765, 2}));
  // A strict score below zero still gives (0, 0).
  const Bitmap red = PictureFromArt({"R"});
  Bitmap blue(1, 1, MakeColour(0, 0, 255));
  EXPECT_EQ(ScoreAt(blue, red, 0, 0, true), (ScoreResult{0, 0}));
}

TEST(ScoreAt, SymbolCutByTheEdgeScoresItsVisiblePart) {
  const Bitmap unit = Recoloured(RedSymbol, BlackColour);
  Bitmap picture(6, 3);
  StampSymbol(picture, unit, -1, 0);  // template column 0 lies outside
  // The first top-row pixel of the visible part is template column 1 at x = 0.
  EXPECT_EQ(ScoreAt(picture, unit, 0, 0, false), (ScoreResult{7 * 765, 1}));
  Bitmap bottom(6, 2);
  StampSymbol(bottom, unit, 1, 0);  // the last template row lies below
  EXPECT_EQ(ScoreAt(bottom, unit, 2, 0, true), (ScoreResult{6 * 765, 1}));
}

TEST(ScoreAt, WhiteTemplatePixelsCountForNothing) {
  const Bitmap unit = PictureFromArt({"X.", ".X"});
  Bitmap picture(2, 2, BlackColour);  // ink everywhere, also under the template's white
  EXPECT_EQ(ScoreAt(picture, unit, 0, 0, false), (ScoreResult{2 * 765, 0}));
  EXPECT_EQ(ScoreAt(picture, unit, 0, 0, true), (ScoreResult{2 * 765, 0}));
}

}  // namespace
