#include <gtest/gtest.h>

#include <limits>

#include "extract/ReferenceScan.h"
#include "extract/ScanComparison.h"
#include "extract/SymbolScan.h"
#include "extract/TemplateMeasures.h"
#include "extract/TestPictures.h"

namespace {

// Anchors at columns 1 and 2.
const Bitmap RedSymbol = PictureFromArt({
    ".RR.",
    "RRRR",
    ".RR.",
});
const Colour Blue = MakeColour(0, 0, 255);

Bitmap Recoloured(const Bitmap& symbol, Colour colour) {
  Bitmap out = symbol;
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x)
      if (!IsWhite(out.pixel(x, y))) out.setPixel(x, y, colour);
  return out;
}

ScanParameters Parameters(double match, const Bitmap& unit, bool strict) {
  return {match, MeasureTemplate(unit).weight, strict};
}

// The red symbol printed in red at (2, 1), blue at (10, 4) and black at (17, 8).
Bitmap ThreeColourPicture() {
  Bitmap picture(24, 14);
  StampSymbol(picture, RedSymbol, 2, 1);
  StampSymbol(picture, Recoloured(RedSymbol, Blue), 10, 4);
  StampSymbol(picture, Recoloured(RedSymbol, BlackColour), 17, 8);
  return picture;
}

struct ColourScanCase {
  double match;
  bool strict;
  std::vector<FoundPoint> expected;
};

TEST(SymbolScan, FindsCopiesByColourShareAndStrictness) {
  const FoundPoint red{3, 1, 1};
  const FoundPoint blue{11, 4, 1};
  const FoundPoint black{18, 8, 1};
  const ColourScanCase cases[] = {
      {1.0, false, {red, black}},        // black covers every red ink bit
      {1.0, true, {red}},                // black has ink where red is light
      {0.5, false, {red, blue, black}},  // blue shares half the ink
      {0.5, true, {red, black}},         // strict blue scores 0
      {0.51, false, {red, black}},
  };
  for (const ColourScanCase& c : cases) {
    SCOPED_TRACE("match " + std::to_string(c.match) + (c.strict ? " strict" : ""));
    const ScanOutcome out =
        ScanAndCompare(ThreeColourPicture(), RedSymbol, Parameters(c.match, RedSymbol, c.strict));
    EXPECT_EQ(out.points, c.expected);
  }
}

TEST(SymbolScan, ErasesTheShapeOfEachFoundSymbolOnly) {
  Bitmap picture(12, 6);
  StampSymbol(picture, Recoloured(RedSymbol, BlackColour), 3, 1);
  picture.setPixel(3, 1, Blue);  // under the template's white corner: stays
  const ScanOutcome out = ScanAndCompare(picture, RedSymbol, Parameters(0.9, RedSymbol, false));
  // The blue corner comes first in reading order and scores too little (its
  // placements cover it with white or miss the symbol); the symbol is found
  // at its first top-row pixel and painted white, the corner stays.
  EXPECT_EQ(out.points, (std::vector<FoundPoint>{{4, 1, 1}}));
  Bitmap expected(12, 6);
  expected.setPixel(3, 1, Blue);
  EXPECT_TRUE(out.picture == expected);
}

TEST(SymbolScan, SymbolCutByTheEdgeIsFoundWhenItsVisiblePartSuffices) {
  const Bitmap black = Recoloured(RedSymbol, BlackColour);
  Bitmap picture(9, 5);
  StampSymbol(picture, black, -1, 1);  // 7 of 8 pixels inside
  StampSymbol(picture, black, 5, 3);   // 6 of 8 inside (bottom row cut)
  struct {
    double match;
    std::vector<FoundPoint> expected;
  } cases[] = {
      {0.75, {{0, 1, 1}, {6, 3, 1}}},
      {0.80, {{0, 1, 1}}},
      {0.90, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.match);
    EXPECT_EQ(ScanAndCompare(picture, black, Parameters(c.match, black, true)).points, c.expected);
  }
}

TEST(SymbolScan, EqualScoresKeepTheLeftAnchor) {
  const Bitmap unit = PictureFromArt({"X.X"});
  Bitmap picture(9, 2);
  picture.setPixel(4, 1, BlackColour);
  const ScanOutcome out = ScanAndCompare(picture, unit, Parameters(0.5, unit, false));
  EXPECT_EQ(out.points, (std::vector<FoundPoint>{{4, 1, 0}}));
  EXPECT_TRUE(out.picture == Bitmap(9, 2));
}

TEST(SymbolScan, SlideStopsAtTheLastColumnAndTheScanGoesOnFromTheNextColumn) {
  const Bitmap unit(1, 1, BlackColour);
  Bitmap picture(8, 1);
  picture.setPixel(4, 0, MakeColour(250, 250, 250));
  picture.setPixel(5, 0, MakeColour(200, 200, 200));
  picture.setPixel(6, 0, MakeColour(100, 100, 100));
  picture.setPixel(7, 0, BlackColour);
  const ScanOutcome out = ScanAndCompare(picture, unit, Parameters(0.01, unit, false));
  // From column 4 the score rises up to the last column; from column 5 up to
  // column 6, the last being white by then; columns 4 and 5 keep their ink.
  EXPECT_EQ(out.points, (std::vector<FoundPoint>{{7, 0, 0}, {6, 0, 0}}));
  EXPECT_EQ(out.picture.pixel(4, 0), MakeColour(250, 250, 250));
  EXPECT_EQ(out.picture.pixel(5, 0), MakeColour(200, 200, 200));
  EXPECT_TRUE(IsWhite(out.picture.pixel(6, 0)) && IsWhite(out.picture.pixel(7, 0)));
}

TEST(SymbolScan, SlideNeedsAStrictlyHigherScore) {
  const Bitmap unit = PictureFromArt({"XX"});
  Bitmap picture(6, 1);
  for (int x = 1; x <= 4; ++x) picture.setPixel(x, 0, BlackColour);
  // At 1 the score is 1530, at 2 still 1530: no slide. After erasing 1 and 2,
  // column 3 scores 1530 again and 4 no more.
  const ScanOutcome out = ScanAndCompare(picture, unit, Parameters(1.0, unit, false));
  EXPECT_EQ(out.points, (std::vector<FoundPoint>{{1, 0, 0}, {3, 0, 0}}));
}

TEST(SymbolScan, MatchZeroOrBelowGivesAPointPerRemainingNonWhitePixel) {
  const Bitmap unit(2, 2, BlackColour);
  Bitmap picture(20, 9);
  int inked = 0;
  for (int y = 0; y < 9; y += 3) {
    for (int x = 1; x < 20; x += 4) {
      picture.setPixel(x, y, MakeColour(254, 255, 255));  // as light as ink gets
      ++inked;
    }
  }
  for (const double match : {0.0, -0.5}) {
    SCOPED_TRACE(match);
    const ScanOutcome out = ScanAndCompare(picture, unit, Parameters(match, unit, false));
    EXPECT_EQ(static_cast<int>(out.points.size()), inked);
    EXPECT_EQ(out.points.front(), (FoundPoint{1, 0, 0}));
  }
  // A pixel that scores nothing at all is still a point at Match 0.
  const Bitmap red = PictureFromArt({"R"});
  Bitmap blue(3, 1);
  blue.setPixel(1, 0, Blue);
  EXPECT_EQ(ScanAndCompare(blue, red, Parameters(0.0, red, true)).points,
            (std::vector<FoundPoint>{{1, 0, 0}}));
}

TEST(SymbolScan, MatchAbove100FindsNothing) {
  const Bitmap black = Recoloured(RedSymbol, BlackColour);
  Bitmap picture(12, 6);
  StampSymbol(picture, black, 2, 1);
  EXPECT_EQ(ScanAndCompare(picture, black, Parameters(1.0, black, false)).points.size(), 1u);
  EXPECT_TRUE(ScanAndCompare(picture, black, Parameters(1.0000001, black, false)).points.empty());
  EXPECT_TRUE(ScanAndCompare(picture, black, Parameters(1.5, black, true)).points.empty());
  const double huge[] = {1e30, std::numeric_limits<double>::infinity()};
  for (const double match : huge)
    EXPECT_TRUE(ScanAndCompare(picture, black, Parameters(match, black, false)).points.empty());
}

TEST(SymbolScan, ThresholdProductIsFormedInExtendedPrecision) {
  if (std::numeric_limits<long double>::digits <= std::numeric_limits<double>::digits) {
    GTEST_SKIP() << "long double is no wider than double here";
  }
  // 0.1 as a double lies a little above 0.1; 0.1 x 7650 in long double lies
  // above 765, while in double it would round to exactly 765.
  const Bitmap unit(10, 1, BlackColour);
  Bitmap picture(15, 1);
  picture.setPixel(7, 0, BlackColour);
  const double tenPercent = 10.0 / 100;
  ASSERT_EQ(tenPercent * 7650.0, 765.0);
  EXPECT_TRUE(ScanAndCompare(picture, unit, Parameters(tenPercent, unit, false)).points.empty());
  EXPECT_EQ(ScanAndCompare(picture, unit, Parameters(0.0999, unit, false)).points.size(), 1u);
}

TEST(SymbolScan, ReportsRowsAndRepaintsEveryTwiceTheTemplateHeight) {
  const Bitmap unit = PictureFromArt({"X", "X"});
  Bitmap picture(3, 6);
  picture.setPixel(1, 2, BlackColour);
  picture.setPixel(1, 3, BlackColour);
  const ScanOutcome out = ScanAndCompare(picture, unit, Parameters(0.9, unit, false));
  EXPECT_EQ(out.events, (std::vector<std::string>{"row 0/6", "repaint", "row 1/6", "row 2/6", "point 1,2,0",
                                                  "row 3/6", "row 4/6", "repaint", "row 5/6"}));
}

TEST(SymbolScan, StopBeforeTheRunScansNothing) {
  Bitmap picture = ThreeColourPicture();
  const Bitmap before = picture;
  ScanRecorder recorder;
  recorder.stop = true;
  ScanForSymbols(picture, RedSymbol, Parameters(0.5, RedSymbol, false), recorder);
  EXPECT_TRUE(recorder.events.empty());
  EXPECT_TRUE(picture == before);
}

// Stopping at the m-th message handling after the j-th point leaves the same
// points and the same partly erased picture in both scans.
TEST(SymbolScan, StopWhileErasingMatchesTheReference) {
  const Bitmap black = Recoloured(RedSymbol, BlackColour);
  Bitmap picture(30, 12);
  for (int k = 0; k < 5; ++k) StampSymbol(picture, black, 2 + 5 * k, 1 + 2 * k);
  const ScanParameters parameters = Parameters(0.9, black, false);
  for (int point = 1; point <= 5; ++point) {
    for (int message = 1; message <= 5; ++message) {
      SCOPED_TRACE("point " + std::to_string(point) + ", message " + std::to_string(message));
      Bitmap expectedPicture = picture;
      ScanRecorder expected(point, message);
      ReferenceScanForSymbols(expectedPicture, black, parameters, expected);
      ASSERT_EQ(static_cast<int>(expected.points.size()), point);
      for (const ScanOptions& options : EveryScanOptionSet()) {
        ScanOptions everyTime = options;
        everyTime.workUnitsPerClockRead = 1;
        Bitmap actualPicture = picture;
        ScanRecorder actual(point, message);
        ScanForSymbols(actualPicture, black, parameters, actual, everyTime);
        EXPECT_EQ(actual.points, expected.points);
        EXPECT_TRUE(actualPicture == expectedPicture);
      }
    }
  }
}

// A stop at any moment leaves a prefix of the points of the whole run.
TEST(SymbolScan, StopAtAnyMessageLeavesAPrefixOfTheFullRun) {
  const Bitmap black = Recoloured(RedSymbol, BlackColour);
  Bitmap picture(70, 80);
  for (int k = 0; k < 12; ++k) StampSymbol(picture, black, (k * 37) % 66, (k * 29) % 77);
  const ScanParameters parameters = Parameters(0.8, black, false);
  const std::vector<FoundPoint> all = RunReferenceScan(picture, black, parameters).points;
  ASSERT_GE(all.size(), 10u);
  for (const ScanOptions& options : EveryScanOptionSet()) {
    for (int stopAt = 1; stopAt < 400; stopAt += 7) {
      SCOPED_TRACE(stopAt);
      Bitmap work = picture;
      ScanRecorder recorder(stopAt);
      ScanForSymbols(work, black, parameters, recorder, options);
      ASSERT_LE(recorder.points.size(), all.size());
      EXPECT_TRUE(std::equal(recorder.points.begin(), recorder.points.end(), all.begin()));
      EXPECT_EQ(recorder.stop, recorder.messageRounds >= stopAt);
    }
  }
}

TEST(SymbolScan, MessagesAreHandledOnATimeBasisNotPerPixel) {
  const Bitmap black = Recoloured(RedSymbol, BlackColour);
  Bitmap picture(400, 300);
  for (int k = 0; k < 200; ++k) StampSymbol(picture, black, (k * 37) % 396, (k * 29) % 297);
  ScanRecorder recorder;
  ScanOptions options;
  options.messageInterval = std::chrono::hours(1);
  ScanForSymbols(picture, black, Parameters(0.8, black, false), recorder, options);
  EXPECT_FALSE(recorder.points.empty());
  EXPECT_EQ(recorder.messageRounds, 0);
}

// Records when it raised the stop flag (at the first message handling).
class StopClock : public ScanRecorder {
 public:
  StopClock() : ScanRecorder(1) {}
  void handlePendingMessages() override {
    ScanRecorder::handlePendingMessages();
    if (messageRounds == 1) stoppedAt = std::chrono::steady_clock::now();
  }
  std::chrono::steady_clock::time_point stoppedAt;
};

TEST(SymbolScan, StopIsSeenWellWithinATenthOfASecond) {
  // Every pixel is a light grey and Match is 0: thousands of points, the
  // heaviest load the scan can get, far longer than one message interval.
  Bitmap picture(1500, 1000);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      picture.setPixel(x, y, MakeColour(230 + x % 7, 232, 228 + y % 5));
  const Bitmap unit(9, 9, MakeColour(200, 210, 220));
  for (const bool thread : {true, false}) {
    SCOPED_TRACE(thread);
    Bitmap work = picture;
    StopClock observer;
    ScanOptions options;
    options.useWorkerThread = thread;
    // A short interval, so the stop comes well before the end however fast the machine.
    options.messageInterval = std::chrono::milliseconds(2);
    ScanForSymbols(work, unit, Parameters(0.0, unit, false), observer, options);
    const auto done = std::chrono::steady_clock::now();
    ASSERT_TRUE(observer.stop) << "the scan ended before its first message handling";
    EXPECT_LT(done - observer.stoppedAt, std::chrono::milliseconds(100));
    EXPECT_EQ(observer.messageRounds, 1);
  }
}

TEST(SymbolScan, EmptyTemplateOrPictureReportsNothingOdd) {
  Bitmap picture = ThreeColourPicture();
  ScanRecorder recorder;
  ScanForSymbols(picture, Bitmap(), Parameters(0.0, RedSymbol, false), recorder);
  EXPECT_TRUE(recorder.events.empty());
  const ScanOutcome empty = ScanAndCompare(Bitmap(), RedSymbol, Parameters(0.0, RedSymbol, false));
  EXPECT_TRUE(empty.events.empty());
  // No columns: the rows are still counted and the repaints made.
  const ScanOutcome noColumns = ScanAndCompare(Bitmap(0, 7), RedSymbol, Parameters(0.0, RedSymbol, false));
  EXPECT_EQ(noColumns.events.size(), 9u);
}

}  // namespace
