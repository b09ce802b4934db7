#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "extract/DataPointList.h"
#include "state/AppState.h"
#include "support/FakeUi.h"

namespace {

// The decimal (column - 50) / 10 as text, read by the standard conversion:
// the double nearest the exact velocity of a column for Vmin -5, Vmax 5, W 101.
double NearestDouble(int column) {
  const int tenths = column - 50;
  const std::string text = (tenths < 0 ? "-" : "") + std::to_string(std::abs(tenths) / 10) + "." +
                           std::to_string(std::abs(tenths) % 10);
  return std::strtod(text.c_str(), nullptr);
}

TEST(MapToAxes, VelocityOfEveryColumnIsTheNearestDoubleOfItsExactValue) {
  // Worked in double, 44 of these columns would land one step off.
  for (int column = 0; column <= 100; ++column) {
    SCOPED_TRACE(column);
    EXPECT_EQ(MapToAxes(column, 0, 101, 101, -5.0, 5.0, 0.9, 1.0).velocity, NearestDouble(column));
  }
}

TEST(MapToAxes, EdgesMapOntoTheCalibration) {
  struct Case {
    std::int64_t px, py;
    int width, height;
    double velocity, value;
  } cases[] = {
      {0, 0, 101, 101, -5.0, 1.0},       // top-left: Vmin, Max
      {100, 100, 101, 101, 5.0, 0.9},    // bottom-right: Vmax, Min
      {50, 100, 101, 101, 0.0, 0.9},     //
      {0, 0, 1, 1, -5.0, 1.0},           // one pixel: divisor 1
      {1, 1, 1, 1, 5.0, 0.9},            //
      {-10, 110, 101, 101, -6.0, 0.89},  // outside the picture: outside the ranges
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.px) + ", " + std::to_string(c.py));
    const AxisPoint p = MapToAxes(c.px, c.py, c.width, c.height, -5.0, 5.0, 0.9, 1.0);
    EXPECT_DOUBLE_EQ(p.velocity, c.velocity);
    EXPECT_DOUBLE_EQ(p.value, c.value);
  }
  EXPECT_EQ(MapToAxes(0, 0, 101, 101, -5.0, 5.0, 0.9, 1.0).value, 1.0);
  EXPECT_EQ(MapToAxes(0, 100, 101, 101, -5.0, 5.0, 0.9, 1.0).value, 0.9);
  EXPECT_DOUBLE_EQ(MapToAxes(0, 50, 101, 101, -5.0, 5.0, 0.9, 1.0).value, 0.95);
}

TEST(Calibration, OrdersMinAndMaxButNotTheVelocities) {
  struct Case {
    double vmin, vmax, min, max;
    double expectMin, expectMax;
  } cases[] = {
      {-5, 5, 0.9, 1.0, 0.9, 1.0},
      {-5, 5, 1.0, 0.9, 0.9, 1.0},  // typed the wrong way round
      {5, -5, 0.9, 1.0, 0.9, 1.0},  // a velocity axis from right to left stays so
      {0, 0, 2.0, 2.0, 2.0, 2.0},
  };
  for (const Case& c : cases) {
    AppState state;
    state.VelocityArray = {1, 2};
    state.CountsArray = {3, 4};
    state.DataPointCount = 2;
    ApplyCalibration(state, c.vmin, c.vmax, c.min, c.max);
    EXPECT_TRUE(state.VelocityArray.empty() && state.CountsArray.empty());
    EXPECT_EQ(state.DataPointCount, 0);
    EXPECT_EQ(state.VminValue, c.vmin);
    EXPECT_EQ(state.VmaxValue, c.vmax);
    EXPECT_EQ(state.MinValue, c.expectMin);
    EXPECT_EQ(state.MaxValue, c.expectMax);
    EXPECT_EQ(state.PlotCaptions.XMin, c.vmin);
    EXPECT_EQ(state.PlotCaptions.XMax, c.vmax);
    EXPECT_EQ(state.PlotCaptions.YMin, c.expectMin);
    EXPECT_EQ(state.PlotCaptions.YMax, c.expectMax);
  }
}

TEST(Calibration, ReadsTheFourFieldsAsNumbers) {
  AppState state;
  FakeUi ui;
  ui.fields[Field::Vmin] = "-12.5";
  ui.fields[Field::Vmax] = "abc";  // unreadable: 0
  ui.fields[Field::Min] = "1.00";
  ui.fields[Field::Max] = "0.90";
  BeginSpectrum(state, ui);
  EXPECT_EQ(state.VminValue, -12.5);
  EXPECT_EQ(state.VmaxValue, 0.0);
  EXPECT_EQ(state.MinValue, 0.9);
  EXPECT_EQ(state.MaxValue, 1.0);
  EXPECT_EQ(ui.fields[Field::Min], "1.00");  // the texts stay as typed
}

TEST(RecordDataPoint, AppendsTheMappedCentreAndShowsTheCount) {
  AppState state;
  FakeUi ui;
  state.WorkImage = Bitmap(101, 101);
  state.TemplateCentreX = 2;
  state.TemplateCentreY = 1;
  ApplyCalibration(state, -5, 5, 0.9, 1.0);
  RecordDataPoint(state, ui, 10, 20, 3);  // centre column 9, row 21
  ASSERT_EQ(state.VelocityArray.size(), 1u);
  EXPECT_EQ(state.VelocityArray[0], -4.1);
  EXPECT_DOUBLE_EQ(state.CountsArray[0], 0.979);
  EXPECT_EQ(state.DataPointCount, 1);
  EXPECT_EQ(ui.previewCaption, "ASCII form of the data [ 1 ]");
  EXPECT_EQ(ui.status[StatusData], "ASCII data: 1");
  EXPECT_EQ(ui.previewRepaints, 0);
  for (int k = 2; k <= 25; ++k) {
    RecordDataPoint(state, ui, k, k, 0);
    EXPECT_EQ(ui.previewRepaints, k / 10) << k;
  }
  EXPECT_EQ(state.DataPointCount, 25);
  EXPECT_EQ(state.CountsArray.size(), 25u);
  EXPECT_EQ(ui.previewCaption, "ASCII form of the data [ 25 ]");
  EXPECT_EQ(ui.statusHistory[StatusData].size(), 25u);
  EXPECT_EQ(ui.statusHistory[StatusData][9], "ASCII data: 10");
}

// The insertion sort exactly as the finishing step states it.
void PlainInsertionSort(TSPD& v, TSPD& c) {
  for (std::size_t i = 1; i < v.size(); ++i) {
    for (std::size_t j = i; j > 0 && v[j] < v[j - 1]; --j) {
      std::swap(v[j], v[j - 1]);
      std::swap(c[j], c[j - 1]);
    }
  }
}

TEST(SortByVelocity, StableAscendingWithValuesMovingAlong) {
  TSPD v = {3, 1, 2, 1, 3, -0.0, 0.0};
  TSPD c = {0, 1, 2, 3, 4, 5, 6};
  SortByVelocity(v, c);
  EXPECT_EQ(v, (TSPD{0, 0, 1, 1, 2, 3, 3}));
  EXPECT_EQ(c, (TSPD{5, 6, 1, 3, 2, 0, 4}));
  // -0.0 and 0.0 are equal velocities: they keep their order of detection.
  EXPECT_TRUE(std::signbit(v[0]));
  EXPECT_FALSE(std::signbit(v[1]));
}

TEST(SortByVelocity, AgreesWithThePlainInsertionSort) {
  std::mt19937 random(99);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (int iteration = 0; iteration < 300; ++iteration) {
    SCOPED_TRACE(iteration);
    const int n = std::uniform_int_distribution<int>(0, 60)(random);
    TSPD v;
    TSPD c;
    for (int k = 0; k < n; ++k) {
      const int pick = std::uniform_int_distribution<int>(0, 12)(random);
      v.push_back(pick == 12 && iteration % 3 == 0 ? nan : pick == 11 ? -0.0 : pick * 0.5 - 2);
      c.push_back(k);
    }
    TSPD expectedV = v;
    TSPD expectedC = c;
    PlainInsertionSort(expectedV, expectedC);
    SortByVelocity(v, c);
    EXPECT_EQ(c, expectedC);
    for (std::size_t k = 0; k < v.size(); ++k) {
      EXPECT_TRUE(std::memcmp(&v[k], &expectedV[k], sizeof(double)) == 0) << k;
    }
  }
}

TEST(FinishSpectrum, SortsOnlyCompletedRunsAndCountsThePoints) {
  struct Case {
    TSPD velocities;
    bool stopped;
    TSPD expected;
  } cases[] = {
      {{2, 1, 3}, false, {1, 2, 3}},
      {{2, 1, 3}, true, {2, 1, 3}},  // a stopped run keeps detection order
      {{7}, false, {7}},
      {{}, false, {}},
      {{}, true, {}},
  };
  for (const Case& c : cases) {
    AppState state;
    state.VelocityArray = c.velocities;
    state.CountsArray = c.velocities;
    state.DataPointCount = 99;
    state.StopRequested = c.stopped;
    FinishSpectrum(state);
    EXPECT_EQ(state.VelocityArray, c.expected);
    EXPECT_EQ(state.CountsArray, c.expected);
    // No point leaves the count at 0: nothing may read past the lists.
    EXPECT_EQ(state.DataPointCount, static_cast<std::int32_t>(c.expected.size()));
  }
}

}  // namespace
