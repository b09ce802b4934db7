#include <gtest/gtest.h>

#include "extract/ExtractDataPoints.h"
#include "extract/PrepareTemplate.h"
#include "extract/TestPictures.h"
#include "state/AppState.h"
#include "support/FakeUi.h"

namespace {

const Bitmap Symbol = PictureFromArt({
    ".XX.",
    "XXXX",
    ".XX.",
});

// Three symbols; the right one is highest, so it is found first.
Bitmap ThreeSymbolPicture() {
  Bitmap picture(41, 21);
  StampSymbol(picture, Symbol, 30, 2);   // found first
  StampSymbol(picture, Symbol, 0, 8);    // second
  StampSymbol(picture, Symbol, 15, 15);  // third
  return picture;
}

// A run as Create ASCII makes it, with messages handled at every opportunity.
struct ExtractionRun {
  AppState state;
  FakeUi ui;

  explicit ExtractionRun(const Bitmap& picture) {
    state.WorkImage = picture;
    state.UnitImagePicture = Bitmap(6, 5);
    state.UnitImagePicture.copyRect(1, 1, Symbol, {0, 0, 4, 3});
    ui.fields[Field::Match] = "90";
    ui.fields[Field::Vmin] = "-4";
    ui.fields[Field::Vmax] = "4";
    ui.fields[Field::Min] = "0";
    ui.fields[Field::Max] = "20";
  }

  void go() {
    PrepareTemplate(state, ui);
    ScanOptions options;
    options.messageInterval = std::chrono::microseconds(0);
    options.workUnitsPerClockRead = 1;
    ExtractDataPoints(state, ui, options);
  }
};

TEST(ExtractDataPoints, CompletedRunSortsByVelocityAndRestoresThePicture) {
  const Bitmap picture = ThreeSymbolPicture();
  ExtractionRun run(picture);
  run.state.VelocityArray = {9, 9, 9, 9};  // the previous run's points
  run.state.CountsArray = {9, 9, 9, 9};
  run.go();
  // Centres (template centre (1, 1)): columns 31, 1, 16 of 0..40 over -4..4;
  // rows 3, 9, 16 of 0..20 over 20..0.
  EXPECT_EQ(run.state.VelocityArray, (TSPD{-3.8, -0.8, 2.2}));
  EXPECT_EQ(run.state.CountsArray, (TSPD{11.0, 4.0, 17.0}));
  EXPECT_EQ(run.state.DataPointCount, 3);
  EXPECT_TRUE(run.state.WorkImage == picture);
  EXPECT_EQ(run.ui.previewCaption, "ASCII form of the data [ 3 ]");
  EXPECT_EQ(run.ui.status[StatusData], "ASCII data: 3");
  ASSERT_EQ(run.ui.statusHistory[StatusProgress].size(), 21u);
  EXPECT_EQ(run.ui.statusHistory[StatusProgress].front(), "Status: 1 / 21");
  EXPECT_EQ(run.ui.statusHistory[StatusProgress].back(), "Status: 21 / 21");
  // Rows 0, 6, 12 and 18 (template height 3), then the final refresh.
  EXPECT_EQ(run.ui.mainRepaints, 5);
  EXPECT_EQ(run.ui.previewRepaints, 1);
  EXPECT_GT(run.ui.pendingMessageCalls, 0);
  EXPECT_EQ(run.state.PlotCaptions.XMin, -4.0);
  EXPECT_EQ(run.state.PlotCaptions.YMax, 20.0);
}

TEST(ExtractDataPoints, ReversedVelocityAxisSortsIntoDecreasingColumns) {
  ExtractionRun run(ThreeSymbolPicture());
  run.ui.fields[Field::Vmin] = "4";
  run.ui.fields[Field::Vmax] = "-4";
  run.go();
  EXPECT_EQ(run.state.VelocityArray, (TSPD{-2.2, 0.8, 3.8}));  // columns 31, 16, 1
  EXPECT_EQ(run.state.CountsArray, (TSPD{17.0, 4.0, 11.0}));
}

TEST(ExtractDataPoints, StopMidRunKeepsThePointsSoFarUnsorted) {
  const Bitmap picture = ThreeSymbolPicture();
  ExtractionRun run(picture);
  // Esc arrives once two points are recorded.
  run.ui.onPendingMessages = [&run] {
    if (run.state.VelocityArray.size() >= 2) run.state.StopRequested = true;
  };
  run.go();
  EXPECT_EQ(run.state.VelocityArray, (TSPD{2.2, -3.8}));  // detection order
  EXPECT_EQ(run.state.CountsArray, (TSPD{17.0, 11.0}));
  EXPECT_EQ(run.state.DataPointCount, 2);
  EXPECT_TRUE(run.state.WorkImage == picture);
  // The scan ended before the last row.
  EXPECT_LT(run.ui.statusHistory[StatusProgress].size(), 21u);
}

TEST(ExtractDataPoints, RunWithoutPointsLeavesACountOfZero) {
  ExtractionRun run(Bitmap(30, 20));
  run.state.VelocityArray = {1, 2};
  run.state.CountsArray = {1, 2};
  run.state.DataPointCount = 2;
  run.go();
  EXPECT_TRUE(run.state.VelocityArray.empty());
  EXPECT_TRUE(run.state.CountsArray.empty());
  EXPECT_EQ(run.state.DataPointCount, 0);
  EXPECT_EQ(run.ui.previewRepaints, 1);
}

TEST(ExtractDataPoints, StrictCheckBoxIsHonoured) {
  // A red template and the symbol printed in blue: half the red template's
  // ink is shared plainly, none when strict.
  const auto recolour = [](const Bitmap& b, Colour c) {
    Bitmap out = b;
    for (int y = 0; y < out.height(); ++y)
      for (int x = 0; x < out.width(); ++x)
        if (!IsWhite(out.pixel(x, y))) out.setPixel(x, y, c);
    return out;
  };
  Bitmap picture(20, 10);
  StampSymbol(picture, recolour(Symbol, MakeColour(0, 0, 255)), 5, 3);
  struct {
    const char* match;
    bool strict;
    int points;
  } cases[] = {{"50", false, 1}, {"51", false, 0}, {"50", true, 0}, {"0", true, 2}};
  // At Match 0 the strict score of 0 is accepted, with anchor 0 (whose top
  // pixel is white); that erase misses the symbol's first pixel and the left
  // end of its middle row, and the latter gives a second point.
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.match) + (c.strict ? " strict" : ""));
    ExtractionRun run(picture);
    run.state.UnitImagePicture = recolour(Symbol, MakeColour(255, 0, 0));
    run.ui.fields[Field::Match] = c.match;
    run.ui.strict = c.strict;
    run.go();
    EXPECT_EQ(run.state.DataPointCount, c.points);
  }
}

}  // namespace
