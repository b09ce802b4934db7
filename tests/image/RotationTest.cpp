#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "image/EditTestSupport.h"
#include "image/Rotation.h"
#include "support/TurnAndTrim.h"

namespace {

// The turn done the plain way, step by step on whole bitmaps, pixel by
// pixel: the reference the fast pass must match exactly.
void ReferenceTrim(Bitmap& picture) {
  int maxX = 0, maxY = 0, minX = picture.width() - 1, minY = picture.height() - 1;
  for (int x = 0; x < picture.width(); ++x) {
    for (int y = 0; y < picture.height(); ++y) {
      if (IsWhite(picture.pixel(x, y))) continue;
      if (x > maxX) maxX = x;
      if (x < minX) minX = x;
      if (y > maxY) maxY = y;
      if (y < minY) minY = y;
    }
  }
  if (maxX < minX || maxY < minY) return;
  Bitmap box(maxX - minX + 1, maxY - minY + 1);
  for (int y = minY; y <= maxY; ++y) {
    for (int x = minX; x <= maxX; ++x) box.setPixel(x - minX, y - minY, picture.pixel(x, y));
  }
  picture = box;
}

Bitmap ReferenceRotate(const Bitmap& original, double theta) {
  const long double pi = 3.14159265358979323846264338327950288L;
  Bitmap work = original;
  Bitmap source = work;
  bool anyInk = false;
  for (const Colour c : work.pixels()) anyInk = anyInk || !IsWhite(c);
  if (anyInk) {
    ReferenceTrim(work);
    const int w = work.width(), h = work.height();
    const double diagonal = std::sqrt(std::pow(2.0 * (w / 2), 2) + std::pow(2.0 * (h / 2), 2));
    int side = static_cast<int>(std::nearbyint(diagonal));
    if (side == 0) side = 1;
    source = Bitmap(side, side, WhiteColour);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const int tx = (side - w) / 2 + x, ty = (side - h) / 2 + y;
        if (source.contains(tx, ty)) source.setPixel(tx, ty, work.pixel(x, y));
      }
    }
  }
  work = Bitmap(source.width(), source.height(), WhiteColour);
  const double cx = work.width() / 2, cy = work.height() / 2;
  const int offsets[8][2] = {{-1, 0}, {0, -1}, {-1, -1}, {1, 0}, {0, 1}, {-1, 1}, {1, 1}, {1, -1}};
  for (int x = 0; x < source.width(); ++x) {
    for (int y = 0; y < source.height(); ++y) {
      const Colour c = source.pixel(x, y);
      if (IsWhite(c)) continue;
      const double dx = x - cx, dy = cy - y;
      const double r = std::sqrt(dx * dx + dy * dy);
      double phi;
      if (dx == 0) {
        phi = y < cy ? 1.5707963267948966 : -1.5707963267948966;
      } else {
        const double q = dy / dx;
        phi = x < cx ? static_cast<double>(atanl(q) + pi) : static_cast<double>(atanl(q));
      }
      phi = phi - theta;
      const double fx = cx + r * std::cos(phi);
      const double fy = cy - r * std::sin(phi);
      int tx = static_cast<int>(std::nearbyint(fx)), ty = static_cast<int>(std::nearbyint(fy));
      if (!work.contains(tx, ty)) continue;
      if (!IsWhite(work.pixel(tx, ty))) {
        bool placed = false;
        for (const auto& o : offsets) {
          if (work.contains(tx + o[0], ty + o[1]) && IsWhite(work.pixel(tx + o[0], ty + o[1]))) {
            tx += o[0];
            ty += o[1];
            placed = true;
            break;
          }
        }
        if (!placed) continue;
      }
      work.setPixel(tx, ty, c);
    }
  }
  ReferenceTrim(work);
  return work;
}

TEST(TrimWhiteBorder, CropsToTheNonWhitePixels) {
  Bitmap picture(7, 6);
  picture.setPixel(2, 1, BlackColour);
  picture.setPixel(4, 3, 0x123456);
  int w = 0, h = 0;
  TrimWhiteBorder(picture, w, h);
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 3);
  ASSERT_EQ(picture.width(), 3);
  ASSERT_EQ(picture.height(), 3);
  EXPECT_EQ(picture.pixel(0, 0), BlackColour);
  EXPECT_EQ(picture.pixel(2, 2), 0x123456u);
  EXPECT_EQ(picture.pixel(1, 1), WhiteColour);

  const Bitmap random = RandomPicture(9, 8, 12, 0.9);
  Bitmap trimmed = random, expected = random;
  TrimWhiteBorder(trimmed, w, h);
  ReferenceTrim(expected);
  EXPECT_EQ(trimmed, expected);
  EXPECT_EQ(w, expected.width());
  EXPECT_EQ(h, expected.height());
}

TEST(TrimWhiteBorder, LeavesAWhitePictureAlone) {
  for (const auto& [width, height] : std::vector<std::pair<int, int>>{{5, 4}, {1, 4}, {4, 1}}) {
    Bitmap picture(width, height);
    int w = 0, h = 0;
    TrimWhiteBorder(picture, w, h);
    EXPECT_TRUE(w == -1 || h == -1) << width << " x " << height;
    EXPECT_EQ(picture, Bitmap(width, height)) << width << " x " << height;
  }
  Bitmap empty;
  int w = 0, h = 0;
  TrimWhiteBorder(empty, w, h);
  EXPECT_EQ(w, -1);
  EXPECT_EQ(h, -1);
  EXPECT_TRUE(empty.empty());
}

TEST(RotationCanvasSide, IsTheRoundedDiagonalOfTheEvenPart) {
  const std::vector<std::array<int, 3>> cases = {
      {640, 480, 800}, {300, 200, 361}, {101, 5, 100}, {100, 1, 100},
      {2, 2, 3},       {3, 3, 3},       {1, 1, 1},  // a single pixel keeps a canvas of its own
  };
  for (const auto& [w, h, side] : cases) EXPECT_EQ(RotationCanvasSide(w, h), side) << w << " x " << h;
  // An absurd side is capped instead of overflowing.
  constexpr int most = std::numeric_limits<int>::max();
  EXPECT_EQ(RotationCanvasSide(most, most), most);
  EXPECT_EQ(RotationCanvasSide(most, 1), most - 1);  // the even part of the width
}

TEST(DegreesToRadians, WorksInExtendedPrecision) {
  EXPECT_EQ(DegreesToRadians(180.0), 3.141592653589793);
  EXPECT_EQ(DegreesToRadians(90.0), 1.5707963267948966);
  EXPECT_EQ(DegreesToRadians(0.0), 0.0);
  // At 30 degrees the product worked out in doubles ends one unit lower, at
  // 0.52359877559829882.
  EXPECT_EQ(DegreesToRadians(30.0), 0.52359877559829893);
}

TEST(MoveToFreeNeighbour, TakesTheFirstFreeNeighbourInItsOrder) {
  const std::vector<std::pair<int, int>> order = {{-1, 0}, {0, -1}, {-1, -1}, {1, 0},
                                                  {0, 1},  {-1, 1}, {1, 1},   {1, -1}};
  // The first k neighbours taken: the next one is chosen.
  for (std::size_t taken = 0; taken <= order.size(); ++taken) {
    std::set<std::pair<int, int>> occupied(order.begin(), order.begin() + static_cast<long>(taken));
    int x = 0, y = 0;
    const bool moved = MoveToFreeNeighbour(x, y, [&](int px, int py) { return !occupied.count({px, py}); });
    if (taken == order.size()) {
      EXPECT_FALSE(moved);
      EXPECT_EQ(std::make_pair(x, y), std::make_pair(0, 0));
    } else {
      EXPECT_TRUE(moved);
      EXPECT_EQ(std::make_pair(x, y), order[taken]) << taken << " taken";
    }
  }
}

// A horizontal line of 100 pixels, each of its own colour from left to right.
Bitmap HorizontalLine() {
  Bitmap picture(120, 30);
  for (int i = 0; i < 100; ++i) picture.setPixel(10 + i, 12, static_cast<Colour>(i + 1));
  return picture;
}

TEST(TurnAndTrim, AQuarterTurnStandsALineUpright) {
  // The line lies on canvas row 49 of 100, one above the centre (50, 50).
  // 90 degrees clockwise: its left end goes to the top. -90 degrees: its
  // right end goes to the top, and its left end falls below the canvas.
  struct Case {
    double degrees;
    int height;
    Colour top;
    int step;
  };
  for (const Case& c : {Case{90.0, 100, 1, 1}, Case{-90.0, 99, 100, -1}}) {
    Bitmap picture = HorizontalLine();
    TurnAndTrim(picture, DegreesToRadians(c.degrees));
    ASSERT_EQ(picture.width(), 1) << c.degrees;
    ASSERT_EQ(picture.height(), c.height) << c.degrees;
    for (int i = 0; i < c.height; ++i) {
      EXPECT_EQ(picture.pixel(0, i), static_cast<Colour>(static_cast<int>(c.top) + c.step * i))
          << c.degrees << " degrees, row " << i;
    }
  }
}

TEST(TurnAndTrim, NoTurnOnlyTrimsTheMargin) {
  Bitmap picture(50, 40);
  const Bitmap ink = RandomPicture(20, 10, 13);
  picture.copyRect(7, 9, ink, {0, 0, 20, 10});
  TurnAndTrim(picture, 0.0);
  EXPECT_EQ(picture, ink);
}

TEST(TurnAndTrim, ACanvasNarrowerThanThePictureKeepsWhatFits) {
  // 101 x 5 turns on a canvas of 100: the last column does not fit.
  const Bitmap wide = RandomPicture(101, 5, 14);
  Bitmap picture = wide;
  TurnAndTrim(picture, 0.0);
  Bitmap expected(100, 5);
  expected.copyRect(0, 0, wide, {0, 0, 100, 5});
  EXPECT_EQ(picture, expected);
}

TEST(TurnAndTrim, LeavesAWhitePictureWhiteAndItsSizeAlone) {
  Bitmap picture(30, 20);
  TurnAndTrim(picture, DegreesToRadians(33.0));
  EXPECT_EQ(picture, Bitmap(30, 20));
}

TEST(TurnAndTrim, ASinglePixelKeepsItsColour) {
  Bitmap picture(9, 9);
  picture.setPixel(4, 6, 0x0A0B0C);
  TurnAndTrim(picture, DegreesToRadians(45.0));
  EXPECT_EQ(picture, Bitmap(1, 1, 0x0A0B0C));
}

TEST(TurnAndTrim, NeverMakesOrRepeatsAColour) {
  // Every source pixel has a colour of its own, so a colour seen twice or a
  // colour from nowhere would show.
  Bitmap picture(40, 25);
  std::set<Colour> source;
  for (int y = 0; y < 25; ++y) {
    for (int x = 0; x < 40; ++x) {
      const Colour c = static_cast<Colour>(y * 40 + x + 1) * 97u;
      picture.setPixel(x, y, c);
      source.insert(c & 0xFFFFFFu);
    }
  }
  for (const double degrees : {7.0, 30.0, 45.0, 131.5, -12.25}) {
    Bitmap turned = picture;
    TurnAndTrim(turned, DegreesToRadians(degrees));
    std::map<Colour, int> seen;
    int inked = 0;
    for (const Colour c : turned.pixels()) {
      if (IsWhite(c)) continue;
      ++inked;
      EXPECT_TRUE(source.count(c)) << degrees;
      EXPECT_EQ(++seen[c], 1) << degrees;
    }
    // Collisions find free neighbours: a dense picture loses almost nothing.
    EXPECT_GT(inked, 40 * 25 * 95 / 100) << degrees;
  }
}

TEST(TurnAndTrim, MatchesThePlainTurnPixelForPixel) {
  struct Case {
    int width, height;
    double whiteShare;
    double degrees;
  };
  const std::vector<Case> cases = {
      {60, 40, 0.0, 7.0},  {61, 37, 0.3, 33.3},  {25, 90, 0.8, -71.0},        {50, 50, 0.0, 45.0},
      {1, 30, 0.0, 20.0},  {33, 2, 0.0, 95.0},   {80, 60, 0.95, 180.0},       {47, 52, 0.1, 270.0},
      {64, 48, 0.5, 1e-9}, {17, 13, 0.0, 359.9}, {40, 40, 0.0, 720.0 + 13.0},
  };
  unsigned seed = 100;
  for (const Case& c : cases) {
    const Bitmap original = RandomPicture(c.width, c.height, ++seed, c.whiteShare);
    const double theta = DegreesToRadians(c.degrees);
    const Bitmap expected = ReferenceRotate(original, theta);
    for (const bool worker : {true, false}) {
      Bitmap fast = original;
      TurnAndTrim(fast, theta, worker);
      EXPECT_EQ(fast, expected) << c.width << " x " << c.height << " at " << c.degrees << " worker "
                                << worker;
    }
  }
}

TEST(TurnAndTrim, ReportsEveryCanvasColumn) {
  Bitmap picture(300, 200, BlackColour);
  std::vector<int> steps;
  int total = 0;
  RotateOntoCanvas(picture, DegreesToRadians(10.0), [&](int step, int n) {
    steps.push_back(step);
    total = n;
  });
  EXPECT_EQ(total, 361);
  ASSERT_EQ(steps.size(), 361u);
  for (int i = 0; i < 361; ++i) EXPECT_EQ(steps[static_cast<std::size_t>(i)], i + 1);
  EXPECT_EQ(picture.width(), 361);  // the margin stays for the caller to trim
}

}  // namespace
