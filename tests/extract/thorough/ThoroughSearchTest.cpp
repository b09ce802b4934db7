#include <gtest/gtest.h>

#include <cmath>

#include "extract/TestPictures.h"
#include "extract/thorough/DevPictures.h"
#include "extract/thorough/ThoroughSearch.h"

namespace {

ThoroughOptions Eager(bool worker = false) {
  ThoroughOptions o;
  o.useWorkerThread = worker;
  o.messageInterval = std::chrono::microseconds(0);
  o.workUnitsPerClockRead = 1;
  return o;
}

const Bitmap Cross = PictureFromArt({
    "..X..",
    ".XXX.",
    "XXXXX",
    ".XXX.",
    "..X..",
});

TEST(FindSymbolsThorough, CopiesOfAPixelSymbolHaveExactCentresInReadingOrder) {
  Bitmap picture(60, 40);
  const int places[][2] = {{40, 3}, {5, 10}, {22, 10}, {31, 28}, {-2, 30}};  // the last one cut by the edge
  for (const auto& p : places) StampSymbol(picture, Cross, p[0], p[1]);
  Bitmap unit(9, 9);
  StampSymbol(unit, Cross, 2, 2);
  RecordingObserver observer;
  const ThoroughResult r = FindSymbolsThorough(picture, unit, observer, Eager());
  ASSERT_EQ(r.points.size(), 5u);
  const double expected[][2] = {{42, 5}, {7, 12}, {24, 12}, {33, 30}, {0, 32}};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_NEAR(r.points[i].x, expected[i][0], 1e-3) << i;
    EXPECT_NEAR(r.points[i].y, expected[i][1], 1e-3) << i;
    EXPECT_GT(r.points[i].score, 0.9f);
  }
  // Every row of placements was reported on the calling thread, then the stages.
  ASSERT_EQ(observer.rows.size(), 40u);
  EXPECT_EQ(observer.rows.front(), 0);
  EXPECT_EQ(observer.rows.back(), 39);
  EXPECT_EQ(observer.stages,
            (std::vector<ThoroughStage>{ThoroughStage::Matching, ThoroughStage::Finalizing}));
}

TEST(FindSymbolsThorough, TheWorkerThreadChangesNothing) {
  // How the work falls between the threads differs from run to run; the
  // result may not.
  for (const char* name : {"dense_touching", "squares_vs_circles"}) {
    SCOPED_TRACE(name);
    const devset::DevPicture p = SmallDevPicture(name, 300, 200);
    RecordingObserver a;
    const ThoroughResult alone = FindSymbolsThorough(p.picture, UnitOf(p), a, Eager(false));
    for (int run = 0; run < 4; ++run) {
      RecordingObserver b;
      const ThoroughResult together = FindSymbolsThorough(p.picture, UnitOf(p), b, Eager(true));
      ASSERT_EQ(alone.points.size(), together.points.size()) << "run " << run;
      for (std::size_t i = 0; i < alone.points.size(); ++i) {
        EXPECT_EQ(alone.points[i].x, together.points[i].x);
        EXPECT_EQ(alone.points[i].y, together.points[i].y);
      }
    }
  }
}

TEST(FindSymbolsThorough, AStopEndsTheSearchEarly) {
  const devset::DevPicture p = SmallDevPicture("clean_filled_circles", 300, 200);
  struct Case {
    int stopAfter;
    bool stopped;
  };
  for (const Case c : {Case{1, true}, Case{-1, false}}) {
    RecordingObserver observer;
    observer.stopAfterCalls = c.stopAfter;
    const ThoroughResult r = FindSymbolsThorough(p.picture, UnitOf(p), observer, Eager());
    EXPECT_EQ(r.stopped, c.stopped);
    if (c.stopped) {
      EXPECT_TRUE(r.points.empty());  // stopped while scoring placements
      EXPECT_LT(observer.rows.size(), 200u);
      EXPECT_TRUE(observer.stages.empty());
    } else {
      EXPECT_FALSE(r.points.empty());
      EXPECT_GT(observer.pendingCalls, 0);
    }
  }
}

TEST(FindSymbolsThorough, NothingToLookForOrNowhereToLook) {
  Bitmap picture(50, 30);
  StampSymbol(picture, Cross, 10, 10);
  struct Case {
    const char* name;
    Bitmap picture;
    Bitmap unit;
  };
  const Case cases[] = {
      {"empty unit", picture, Bitmap()},
      {"white unit", picture, Bitmap(6, 6)},
      {"empty picture", Bitmap(), Cross},
      {"one pixel picture", Bitmap(1, 1, BlackColour), Cross},
      {"unit larger than the picture", Bitmap(3, 3, BlackColour), Bitmap(9, 9, BlackColour)},
      {"white picture", Bitmap(40, 40), Cross},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingObserver observer;
    const ThoroughResult r = FindSymbolsThorough(c.picture, c.unit, observer, Eager(true));
    EXPECT_TRUE(r.points.empty());
    EXPECT_FALSE(r.stopped);
  }
}

}  // namespace
