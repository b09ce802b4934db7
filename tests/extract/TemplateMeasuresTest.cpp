#include <gtest/gtest.h>

#include "extract/PrepareTemplate.h"
#include "extract/TemplateMeasures.h"
#include "extract/TestPictures.h"
#include "state/AppState.h"
#include "support/FakeUi.h"

namespace {

TEST(TemplateMeasures, AllWhiteOrEmptyTemplateBecomesTwoByTwoBlack) {
  for (const Bitmap& stored : {Bitmap(5, 4), Bitmap(1, 1), Bitmap()}) {
    SCOPED_TRACE(std::to_string(stored.width()) + " x " + std::to_string(stored.height()));
    const TemplateMeasures m = MeasureTemplate(stored);
    EXPECT_TRUE(m.trimmed == Bitmap(2, 2, BlackColour));
    EXPECT_EQ(m.pixelCount, 4);
    EXPECT_EQ(m.weight, 3060.0);
    EXPECT_EQ(m.centreX, 0);
    EXPECT_EQ(m.centreY, 0);
  }
}

TEST(TemplateMeasures, TrimsWhiteMarginsOnEverySide) {
  const Bitmap stored = PictureFromArt({
      "......",
      "..X...",
      ".XXR..",
      "......",
  });
  const TemplateMeasures m = MeasureTemplate(stored);
  EXPECT_TRUE(m.trimmed == PictureFromArt({".X.", "XXR"}));
  EXPECT_EQ(m.pixelCount, 4);
  EXPECT_EQ(m.weight, 3 * 765.0 + 510.0);
  // Trimming a trimmed template changes nothing.
  EXPECT_TRUE(MeasureTemplate(m.trimmed).trimmed == m.trimmed);
}

struct CentreCase {
  std::initializer_list<std::string> art;
  std::map<char, Colour> palette;
  int centreX;
  int centreY;
};

// Centre = (sum of (position + 1) x ink) div total ink, minus 1.
TEST(TemplateMeasures, CentreIsTheInkWeightedMeanRoundedDown) {
  const Colour light = MakeColour(245, 245, 245);  // ink 30
  const CentreCase cases[] = {
      {{"X"}, {}, 0, 0},
      {{"XX"}, {}, 0, 0},   // (1 + 2) x 765 / 1530 = 1.5 -> 1 -> 0
      {{"XXX"}, {}, 1, 0},  // 6 / 3 = 2 -> 1
      {{"XL", "LL"}, {{'L', light}}, 0, 0},
      {{"LX", "LL"}, {{'L', light}}, 0, 0},  // (1 x 60 + 2 x 795) / 855 = 1.93 -> 1 -> 0
      {{"LLLX", "LLLL", "LLLL"}, {{'L', light}}, 2, 0},
      {{"X..", "...", "..X"}, {}, 1, 1},
      {{"L..", "...", "..X"}, {{'L', light}}, 1, 1},  // (30 + 3 x 765) / 795 = 2.92 -> 2 -> 1
  };
  for (const CentreCase& c : cases) {
    const Bitmap stored = PictureFromArt(c.art, c.palette);
    SCOPED_TRACE(*c.art.begin());
    const TemplateMeasures m = MeasureTemplate(stored);
    EXPECT_EQ(m.centreX, c.centreX);
    EXPECT_EQ(m.centreY, c.centreY);
  }
}

TEST(TemplateMeasures, LargeDarkTemplateDoesNotOverflowTheCentre) {
  // 3000 x 3000 black: the weighted column sum passes 2^31 by far.
  const TemplateMeasures m = MeasureTemplate(Bitmap(3000, 3000, BlackColour));
  EXPECT_EQ(m.centreX, 1499);  // (1 + ... + 3000) / 3000 = 1500.5 -> 1500 -> 1499
  EXPECT_EQ(m.centreY, 1499);
  EXPECT_EQ(m.pixelCount, 9000000);
  EXPECT_EQ(m.weight, 9000000.0 * 765);
}

TEST(PrepareTemplate, ReadsMatchAndStoresTheTrimmedTemplateEverywhere) {
  AppState state;
  FakeUi ui;
  state.UnitImagePicture = PictureFromArt({"....", ".XX.", ".X..", "...."});
  state.UnitTemplate = Bitmap(9, 9, BlackColour);  // replaced by the unit picture
  const std::pair<const char*, double> matches[] = {{"60", 0.6}, {"150", 1.5}, {"-20", -0.2}, {"abc", 0.0}};
  for (const auto& [text, fraction] : matches) {
    SCOPED_TRACE(text);
    ui.fields[Field::Match] = text;
    const int changes = ui.unitPictureChanges;
    PrepareTemplate(state, ui);
    EXPECT_EQ(state.MatchFraction, fraction);
    EXPECT_TRUE(state.UnitTemplate == PictureFromArt({"XX", "X."}));
    EXPECT_TRUE(state.UnitImagePicture == state.UnitTemplate);
    EXPECT_EQ(ui.unitPictureChanges, changes + 1);
    EXPECT_EQ(state.TemplatePixelCount, 3);
    EXPECT_EQ(state.TemplateWeight, 3 * 765.0);
    EXPECT_EQ(state.TemplateCentreX, 0);  // (1 + 2 + 1) / 3 = 1 -> 0
    EXPECT_EQ(state.TemplateCentreY, 0);
  }
}

}  // namespace
