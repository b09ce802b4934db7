#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "GraphDraw/GraphScale.h"

namespace {

struct TwoBounds {
  double A;
  double B;
  double Expected;
};

TEST(NiceStep, GivesOneTwoFourFiveOrTenTimesAPowerOfTen) {
  const TwoBounds cases[] = {
      {0, 10, 2},       {0, 25, 4}, {0, 40, 5}, {0, 48, 10},  {0, 1, 0.2},    {10, 0, 2},      {-5, 5, 2},
      {0.9, 1.0, 0.02}, {5, -5, 2}, {0, 9, 1},  {0, 100, 20}, {-12.5, -2, 2}, {0, 0.05, 0.01}, {0, 0, 1e-8},
  };
  for (const TwoBounds& c : cases) {
    EXPECT_DOUBLE_EQ(NiceStep(c.A, c.B), c.Expected) << c.A << " .. " << c.B;
  }
}

TEST(NiceStep, SpanHoldsMoreThanFourAndAHalfAndAtMostNineSteps) {
  for (double span = 1e-6; span < 1e9; span *= 1.37) {
    const double step = NiceStep(-span / 3, span - span / 3);
    const double count = span / step;
    EXPECT_GT(count, 4.5) << span;
    EXPECT_LE(count, 9.0 + 1e-9) << span;
  }
}

struct TickCase {
  double Step;
  double Upper;
  double Lower;
  double Expected;
};

TEST(FirstTick, StartsAtOrBelowTheLowerBound) {
  const TickCase cases[] = {
      {2, 5, -5, -6},         // both sides of zero: stepped down from zero
      {2, 5, -4, -4},         // across zero a lower bound on a multiple is the first tick
      {-2, 5, -5, -6},        // the sign of the step does not count
      {2, -2, -12.5, -14},    // Int(-6.25) x 2 - 2
      {2, -1, -4, -6},        // negative lower that is a multiple: one step below it
      {4, 25, 0, 0},          // lower bound zero
      {2, 0, -3, -4},         // upper bound zero: Int(-1.5) x 2 - 2
      {2, 9, 5, 4},           // positive: truncated down to a multiple
      {0.02, 1.0, 0.9, 0.9},  // Int(45) x 0.02
      {2, -5, 5, -2},         // reversed bounds across zero: the loop does not run
  };
  for (const TickCase& c : cases) {
    EXPECT_DOUBLE_EQ(FirstTick(c.Step, c.Upper, c.Lower), c.Expected)
        << "step " << c.Step << " upper " << c.Upper << " lower " << c.Lower;
  }
}

TEST(LastTick, StepsUpToTheFirstValueAtOrAboveTheUpperBound) {
  const TickCase cases[] = {
      // {step, upper, start, expected}
      {2, 5, -6, 6},     {4, 25, 0, 28}, {-2, 5, -6, 6},
      {2, 6, -6, 6},     {2, 5, 7, 7},  // the start already lies above
      {0, 0.25, 0, 0.3},                // a zero step counts as 0.1
      {2, -5, -2, -2},                  // reversed bounds: nothing to step
  };
  for (const TickCase& c : cases) {
    EXPECT_DOUBLE_EQ(LastTick(c.Step, c.Upper, c.Lower), c.Expected)
        << "step " << c.Step << " upper " << c.Upper << " start " << c.Lower;
  }
}

TEST(LastTick, EndsWhenTheStepIsBelowTheResolutionOfTheStart) {
  const double upper = 1e20 + 65536.0;
  EXPECT_EQ(LastTick(1.0, upper, 1e20), 1e20);
}

struct DecimalsCase {
  double Step;
  int Expected;
};

TEST(StepDecimals, FollowTheStepsPowerOfTen) {
  const DecimalsCase cases[] = {
      {1, 0},
      {2, 1},
      {10, 0},
      {0.02, 2},
      {0.01, 2},
      {0.05, 2},
      {0.1, 1},
      {0.2, 1},
      {5, 1},
      {4, 1},
      {-2, 1},
      {0, 1},
      {100, 0},
      {0.001, 3},
      {0.0005, 4},
      {NiceStep(0, 1), 1},
      {NiceStep(0, 0.1), 2},
      {NiceStep(0, 1e-3), 4},
      {NiceStep(0, 0.05), 2},
  };
  for (const DecimalsCase& c : cases) EXPECT_EQ(StepDecimals(c.Step), c.Expected) << c.Step;
}

struct LabelCase {
  int Decimals;
  double Upper;
  double Lower;
  int Expected;
};

TEST(LabelChars, CountsTheWidestIntegerPartPlusDecimals) {
  const LabelCase cases[] = {
      {1, 5, -5, 3},      {2, 1, 0.9, 3},   {0, 0, -9.7, 2},   {3, 123456.7, 0, 9},
      {0, -0.5, 0, 1},    {0, 1e25, 0, 19}, {0, 0, -1e25, 19}, {2, -9.2e18, 0, 22},
      {0, 9.2e18, 0, 19}, {0, -1, -12, 3},  {4, 0, 0, 5},
  };
  for (const LabelCase& c : cases) {
    EXPECT_EQ(LabelChars(c.Decimals, c.Upper, c.Lower), c.Expected)
        << c.Decimals << " " << c.Upper << " " << c.Lower;
  }
}

struct PixelCase {
  int Edge;
  double Scale;
  double Bound;
  double Value;
  int Expected;
};

TEST(XToPixel, RoundsHalvesToEven) {
  const PixelCase cases[] = {
      {10, 1, 0, 2.5, 12}, {10, 1, 0, 3.5, 14},   {10, 1, 0, -0.5, 10}, {10, 1, 0, -1.5, 8},
      {10, 0.5, 1, 2, 12}, {50, 0.1, 5, -5, -50}, {0, 2, -5, 5, 5},
  };
  for (const PixelCase& c : cases) {
    EXPECT_EQ(XToPixel(c.Edge, c.Scale, c.Bound, c.Value), c.Expected) << c.Value;
  }
}

TEST(YToPixel, GrowsDownwardFromTheUpperBound) {
  const PixelCase cases[] = {
      {10, 0.5, 1, 0, 12},  {10, 1, 5, 5, 10},       {10, 1, 0, -2.5, 12},
      {10, 1, 0, -3.5, 14}, {0, 0.01, 1.0, 0.9, 10}, {5, 1, 0, 1, 4},
  };
  for (const PixelCase& c : cases) {
    EXPECT_EQ(YToPixel(c.Edge, c.Scale, c.Bound, c.Value), c.Expected) << c.Value;
  }
}

TEST(PixelRoutines, HoldValuesFarOffTheRangeToCanvasCoordinates) {
  EXPECT_EQ(XToPixel(0, 1e-300, 0, 1e300), 1000000000);
  EXPECT_EQ(YToPixel(0, 1e-300, 0, 1e300), -1000000000);
  EXPECT_EQ(XToPixel(7, 1.0, 0, std::numeric_limits<double>::quiet_NaN()), 7);
}

TEST(SPDMaxMin, RunOverAllElements) {
  EXPECT_EQ(SPDMax({}), 0.0);
  EXPECT_EQ(SPDMin({}), 0.0);
  EXPECT_EQ(SPDMax({3, -1, 7, 2}), 7.0);
  EXPECT_EQ(SPDMin({3, -1, 7, 2}), -1.0);
  EXPECT_EQ(SPDMax({-4, -9}), -4.0);
  EXPECT_EQ(SPDMin({4, 9}), 4.0);
}

TGraphData SeriesList(std::initializer_list<TSPD> xs) {
  TGraphData data;
  for (const TSPD& x : xs) {
    TGraphSingleData s;
    s.X = x;
    s.Y = x;
    for (double& y : s.Y) y = -y;
    data.push_back(s);
  }
  return data;
}

TEST(GraphRange, EmptyListAndEmptySeriesCountAsZero) {
  const TGraphData empty;
  EXPECT_EQ(GraphMinX(empty), 0.0);
  EXPECT_EQ(GraphMaxX(empty), 0.0);
  EXPECT_EQ(GraphMinY(empty), 0.0);
  EXPECT_EQ(GraphMaxY(empty), 0.0);

  const TGraphData positive = SeriesList({{2, 3}, {}});
  EXPECT_EQ(GraphMinX(positive), 0.0);
  EXPECT_EQ(GraphMaxX(positive), 3.0);
  EXPECT_EQ(GraphMinY(positive), -3.0);
  EXPECT_EQ(GraphMaxY(positive), 0.0);

  const TGraphData several = SeriesList({{2, 3}, {-1, 8}, {4}});
  EXPECT_EQ(GraphMinX(several), -1.0);
  EXPECT_EQ(GraphMaxX(several), 8.0);
  EXPECT_EQ(GraphMinY(several), -8.0);
  EXPECT_EQ(GraphMaxY(several), 1.0);
}

}  // namespace
