#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "app/RunExtraction.h"
#include "extract/DataPointList.h"
#include "extract/TestPictures.h"
#include "extract/ThoroughExtraction.h"
#include "state/AppState.h"
#include "support/FakeUi.h"

namespace {

TEST(MapCentreToAxes, AgreesWithTheWholePixelRuleAndInterpolatesBetween) {
  struct Case {
    long double cx, cy;
    int width, height;
    double vmin, vmax, min, max;
  };
  const Case wholes[] = {{0, 0, 101, 101, -5, 5, 0.9, 1.0},
                         {37, 64, 101, 101, -5, 5, 0.9, 1.0},
                         {100, 100, 101, 201, 5, -5, 1.0, 0.9},
                         {3, 7, 1, 1, -1, 1, 0, 10}};
  for (const Case& c : wholes) {
    const AxisPoint a = MapCentreToAxes(c.cx, c.cy, c.width, c.height, c.vmin, c.vmax, c.min, c.max);
    const AxisPoint b = MapToAxes(static_cast<std::int64_t>(c.cx), static_cast<std::int64_t>(c.cy), c.width,
                                  c.height, c.vmin, c.vmax, c.min, c.max);
    EXPECT_EQ(a.velocity, b.velocity);
    EXPECT_EQ(a.value, b.value);
  }
  // Half a pixel right of column 50 of 0..100 over -5..5; a quarter row below row 0 over 1.0..0.9.
  const AxisPoint p = MapCentreToAxes(50.5L, 0.25L, 101, 101, -5, 5, 0.9, 1.0);
  EXPECT_DOUBLE_EQ(p.velocity, 0.05);
  EXPECT_DOUBLE_EQ(p.value, 1.0 - 0.1 * 0.25 / 100);
  // Worked in long double: the nearest double of the exact value.
  EXPECT_EQ(MapCentreToAxes(0.1L, 0, 11, 2, 0, 1, 0, 1).velocity, static_cast<double>(0.1L / 10));
}

const Bitmap Cross = PictureFromArt({
    "..X..",
    ".XXX.",
    "XXXXX",
    ".XXX.",
    "..X..",
});

// Crosses at known places; the unit rectangle holds one with a margin.
struct ThoroughRun {
  AppState state;
  FakeUi ui;

  ThoroughRun() {
    state.WorkImage = Bitmap(61, 41);
    StampSymbol(state.WorkImage, Cross, 40, 3);   // centre (42, 5)
    StampSymbol(state.WorkImage, Cross, 5, 10);   // (7, 12)
    StampSymbol(state.WorkImage, Cross, 22, 30);  // (24, 32)
    state.UnitImagePicture = Bitmap(8, 8);
    state.UnitImagePicture.copyRect(0, 0, state.WorkImage, {4, 9, 12, 17});
    state.UnitTemplate = state.UnitImagePicture;
    ui.fields[Field::Match] = "not a number";  // never read by the thorough mode
    ui.fields[Field::Vmin] = "-6";
    ui.fields[Field::Vmax] = "6";
    ui.fields[Field::Min] = "0";
    ui.fields[Field::Max] = "40";
    ThoroughMatchingClick(state, ui, true);
  }
};

TEST(ThoroughExtraction, CreateAsciiRunsTheThoroughModeToTheEnd) {
  ThoroughRun run;
  const Bitmap picture = run.state.WorkImage;
  const Bitmap unit = run.state.UnitImagePicture;
  CreateBtnClick(run.state, run.ui);
  // Columns 7, 24, 42 of 0..60 over -6..6; rows 12, 32, 5 of 0..40 over 40..0.
  ASSERT_EQ(run.state.VelocityArray.size(), 3u);
  const double velocities[] = {-6 + 12 * 7.0 / 60, -6 + 12 * 24.0 / 60, -6 + 12 * 42.0 / 60};
  const double values[] = {28, 8, 35};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_NEAR(run.state.VelocityArray[i], velocities[i], 1e-9);
    EXPECT_NEAR(run.state.CountsArray[i], values[i], 1e-9);
  }
  EXPECT_EQ(run.state.DataPointCount, 3);
  // The picture and the unit stay as they were; no template was prepared.
  EXPECT_TRUE(run.state.WorkImage == picture);
  EXPECT_TRUE(run.state.UnitImagePicture == unit);
  EXPECT_TRUE(run.state.UnitTemplate == unit);
  EXPECT_EQ(run.ui.unitPictureChanges, 0);
  // Status: starting, the stages, ready; between them the rows the run's
  // own thread scored (the worker thread may take any of them).
  const std::vector<std::string>& status = run.ui.statusHistory[StatusProgress];
  ASSERT_GE(status.size(), 4u);
  EXPECT_EQ(status.front(), "Status: Starting...");
  EXPECT_NE(std::find(status.begin(), status.end(), "Status: Working..."), status.end());
  EXPECT_NE(std::find(status.begin(), status.end(), "Status: Finalizing..."), status.end());
  EXPECT_EQ(status.back(), "Status: Ready");
  EXPECT_EQ(run.ui.status[StatusData], "ASCII data: 3");
  EXPECT_EQ(run.ui.previewCaption, "ASCII form of the data [ 3 ]");
  EXPECT_TRUE(run.ui.enabled[Control::SaveAscii]);
  EXPECT_TRUE(run.ui.enabled[Control::ButtonPanel]);
  EXPECT_FALSE(run.ui.busy);
  EXPECT_FALSE(run.state.AsciiSaved);
  EXPECT_FALSE(run.state.RunInProgress);
}

TEST(ThoroughExtraction, EscEndsTheSearchAndLeavesThePictureAsItWas) {
  struct Case {
    int stopAtCall;  // Esc arrives at this message handling; 0: never
    bool stopped;
  };
  for (const Case c : {Case{1, true}, Case{0, false}}) {
    ThoroughRun run;
    const Bitmap picture = run.state.WorkImage;
    run.state.VelocityArray = {1, 2, 3, 4};  // the previous run's points
    run.state.CountsArray = {1, 2, 3, 4};
    int calls = 0;
    run.ui.onPendingMessages = [&] {
      if (++calls == c.stopAtCall) run.state.StopRequested = true;
    };
    ThoroughOptions eager;
    eager.messageInterval = std::chrono::microseconds(0);
    eager.workUnitsPerClockRead = 1;
    ExtractDataPointsThorough(run.state, run.ui, eager);
    EXPECT_GT(calls, 0);
    EXPECT_TRUE(run.state.WorkImage == picture);
    EXPECT_EQ(run.ui.previewRepaints, 1);
    if (c.stopped) {
      // Stopped while the placements were scored: nothing accepted yet.
      EXPECT_TRUE(run.state.VelocityArray.empty());
      EXPECT_EQ(run.state.DataPointCount, 0);
    } else {
      EXPECT_EQ(run.state.DataPointCount, 3);
      EXPECT_TRUE(std::is_sorted(run.state.VelocityArray.begin(), run.state.VelocityArray.end()));
    }
  }
}

TEST(ThoroughExtraction, TheMenuItemDisablesMatchAndStrictWhileChecked) {
  AppState state;
  FakeUi ui;
  for (const bool checked : {true, false, true}) {
    ThoroughMatchingClick(state, ui, checked);
    EXPECT_EQ(state.ThoroughMatching, checked);
    EXPECT_EQ(ui.isEnabled(Control::MatchField), !checked);
    EXPECT_EQ(ui.isEnabled(Control::StrictMatch), !checked);
  }
}

TEST(ThoroughExtraction, UncheckedCreateAsciiStillRunsTheDefaultScan) {
  ThoroughRun run;
  ThoroughMatchingClick(run.state, run.ui, false);
  run.ui.fields[Field::Match] = "90";
  CreateBtnClick(run.state, run.ui);
  // The default scan trims the stored template and finds whole-pixel centres.
  EXPECT_EQ(run.state.UnitTemplate.width(), 5);
  EXPECT_EQ(run.ui.unitPictureChanges, 1);
  EXPECT_EQ(run.state.DataPointCount, 3);
  EXPECT_EQ(run.ui.statusHistory[StatusProgress].back(), "Status: Ready");
}

}  // namespace
