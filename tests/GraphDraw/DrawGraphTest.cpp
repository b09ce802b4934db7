#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "GraphDraw/DrawGraph.h"
#include "support/RecordingCanvas.h"

// Layouts below are worked out by hand with the recording canvas' metrics:
// a character is (6 x size) div 10 pixels wide, a text size + 3 pixels high.

namespace {

using Kind = CanvasCall::Kind;

struct Segment {
  int X1, Y1, X2, Y2;
  friend bool operator==(const Segment&, const Segment&) = default;
};

std::ostream& operator<<(std::ostream& out, const Segment& s) {
  return out << "(" << s.X1 << "," << s.Y1 << ")->(" << s.X2 << "," << s.Y2 << ")";
}

std::vector<Segment> Lines(const RecordingCanvas& canvas,
                           const std::function<bool(const CanvasCall&)>& keep) {
  std::vector<Segment> result;
  for (const CanvasCall& call : canvas.Of(Kind::Line)) {
    if (keep(call)) result.push_back({call.X1, call.Y1, call.X2, call.Y2});
  }
  return result;
}

bool PlainPen(const CanvasCall& call) {
  return call.Pen.Color == BlackColour && call.Pen.Width == 1 && call.Pen.Style == psSolid;
}

struct Point {
  int X, Y;
  friend bool operator==(const Point&, const Point&) = default;
};

std::ostream& operator<<(std::ostream& out, const Point& p) {
  return out << "(" << p.X << "," << p.Y << ")";
}

TGraphSingleData Series(const TSPD& x, const TSPD& y, std::uint8_t radius, std::uint8_t lineWidth,
                        Colour colour = BlackColour) {
  TGraphSingleData s;
  s.X = x;
  s.Y = y;
  s.Visible.assign(x.size(), true);
  s.SymbolRadius = radius;
  s.LineWidth = lineWidth;
  s.SeriesColor = colour;
  return s;
}

// Empty data, both axes automatic, on 402 x 301: both axes -1 .. 1, labels
// "00" wide; size 19 fits (character 11 x 22). Left 65, Right 21, Top 27,
// Bottom 54, PW 316, PH 220; AxisRow 247, AxisCol 65.
class EmptyGraph : public ::testing::Test {
 protected:
  static constexpr int W = 402;
  static constexpr int H = 301;
  void Draw() {
    canvas.Font().Color = 0x123456;
    DrawGraph(canvas, W, H, caps, {}, ".");
  }
  RecordingCanvas canvas;
  TGraphCaps caps;
};

TEST_F(EmptyGraph, PaintsBackgroundFrameAndCaptionsFirst) {
  Draw();
  const std::vector<CanvasCall>& calls = canvas.Calls();
  ASSERT_GE(calls.size(), 4u);
  EXPECT_EQ(calls[0].What, Kind::Rectangle);
  EXPECT_EQ((Segment{calls[0].X1, calls[0].Y1, calls[0].X2, calls[0].Y2}), (Segment{0, 0, W, H}));
  EXPECT_EQ(calls[0].Pen.Color, WhiteColour);
  EXPECT_EQ(calls[0].Brush.Color, WhiteColour);

  EXPECT_EQ(calls[1].What, Kind::FrameRect);
  EXPECT_EQ((Segment{calls[1].X1, calls[1].Y1, calls[1].X2, calls[1].Y2}), (Segment{65, 27, 382, 248}));
  EXPECT_EQ(calls[1].Brush.Color, BlackColour);

  // "Y" at size 19: an 11 x 22 text, a 13 x 24 bitmap, turned to 24 x 13.
  EXPECT_EQ(calls[2].What, Kind::Draw);
  EXPECT_EQ((Segment{calls[2].X1, calls[2].Y1, calls[2].X2, calls[2].Y2}),
            (Segment{1, 110 + 27 - 6, 24, 13}));
  EXPECT_EQ(calls[2].Picture.pixel(1, 11), 0x123456u);  // first character at the bottom

  EXPECT_EQ(calls[3].What, Kind::TextOut);
  EXPECT_EQ(calls[3].Text, "X");
  EXPECT_EQ((Point{calls[3].X1, calls[3].Y1}), (Point{158 + 65 - 5, H - 22 - 1}));
  EXPECT_EQ(calls[3].Font.Size, 19);
  EXPECT_EQ(calls[3].Font.Name, "Times New Roman");
  EXPECT_EQ(calls[3].Brush.Color, WhiteColour);
  EXPECT_TRUE(calls[3].Brush.Solid);
}

TEST_F(EmptyGraph, AxesRunFromMinusOneToOneWithHalfStepMinorMarks) {
  Draw();
  const std::vector<Segment> expected = {
      // horizontal major at -1, 0, 1
      {65, 245, 65, 252},
      {223, 245, 223, 252},
      {381, 245, 381, 252},
      // horizontal minor at -0.5, 0.5
      {144, 245, 144, 250},
      {302, 245, 302, 250},
      // vertical major at -1, 0, 1
      {61, 247, 67, 247},
      {61, 137, 67, 137},
      {61, 27, 67, 27},
      // vertical minor at -0.5, 0.5
      {62, 192, 67, 192},
      {62, 82, 67, 82},
  };
  EXPECT_EQ(Lines(canvas, PlainPen), expected);
  EXPECT_EQ(canvas.Of(Kind::Line).size(), expected.size());
  EXPECT_TRUE(canvas.Of(Kind::Ellipse).empty());
}

TEST_F(EmptyGraph, LabelsAreWholeNumbersCentredOnTheirTicks) {
  Draw();
  EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"X", "-1", "0", "1", "-1", "0", "1"}));
  const std::vector<CanvasCall> texts = canvas.Of(Kind::TextOut);
  std::vector<Point> labels;
  for (const CanvasCall& call : texts) {
    if (!call.Text.empty() && call.Text != "X") labels.push_back({call.X1, call.Y1});
  }
  const std::vector<Point> expected = {
      {54, 255}, {218, 255}, {376, 255},  // under the horizontal ticks
      {35, 236}, {46, 126},  {46, 16},    // left of the vertical ticks
  };
  EXPECT_EQ(labels, expected);
  for (const CanvasCall& call : texts) {
    EXPECT_EQ(call.Font.Color, 0x123456u) << call.Text;
    EXPECT_EQ(call.Brush.Color, WhiteColour) << call.Text;
  }
}

TEST_F(EmptyGraph, LeavesBlackPenWhiteBrushAndTheFittedFont) {
  canvas.Pen().Style = psDot;
  canvas.Pen().Width = 4;
  canvas.Brush().Solid = false;
  Draw();
  EXPECT_EQ(canvas.Pen(), (CanvasPen{BlackColour, psSolid, 1}));
  EXPECT_EQ(canvas.Brush(), (CanvasBrush{WhiteColour, true}));
  EXPECT_EQ(canvas.Font(), (CanvasFont{"Times New Roman", 19, 0x123456}));
}

TEST_F(EmptyGraph, TitlesAtFourteenPointsAndTheRightOneShortened) {
  // Titles at size 14: 8 pixels a character, 17 high; room 402 - 65 - 21 - 20 = 296.
  struct Case {
    std::string Left;
    std::string Right;
    std::string WrittenRight;  // empty: not written
    int RightX;
  };
  const std::string forty(40, 'r');
  const std::vector<Case> cases = {
      {"Left", "Right", "Right", 381 - 40},
      {"Left", forty, std::string(33, 'r'), 381 - 33 * 8},  // 32 + 8 x 33 = 296 fits
      {std::string(36, 'l'), forty, "r", 381 - 8},          // 288 + 8 = 296 still fits
      {std::string(37, 'l'), forty, "", 0},                 // the left title takes the room
  };
  for (const Case& c : cases) {
    canvas = RecordingCanvas();
    caps.TitleLeft = c.Left;
    caps.TitleRight = c.Right;
    Draw();
    const CanvasCall left = canvas.TextCall(c.Left);
    EXPECT_EQ((Point{left.X1, left.Y1}), (Point{65, 27 - 17}));
    EXPECT_EQ(left.Font.Size, 14);
    std::vector<CanvasCall> rights;
    for (const CanvasCall& call : canvas.Of(Kind::TextOut)) {
      if (!call.Text.empty() && call.Text[0] == 'r') rights.push_back(call);
      if (c.Right == "Right" && call.Text == "Right") rights.push_back(call);
    }
    if (c.WrittenRight.empty()) {
      EXPECT_TRUE(rights.empty()) << c.Left;
      continue;
    }
    ASSERT_EQ(rights.size(), 1u) << c.Left;
    EXPECT_EQ(rights[0].Text, c.WrittenRight);
    EXPECT_EQ((Point{rights[0].X1, rights[0].Y1}), (Point{c.RightX, 10}));
    EXPECT_EQ(rights[0].Font.Size, 14);
  }
  EXPECT_EQ(canvas.Font().Size, 19);
}

TEST_F(EmptyGraph, ZeroLinesAreThreePixelsWide) {
  caps.ZeroLines = true;
  Draw();
  const auto thick = [](const CanvasCall& c) { return c.Pen.Width == 3 && c.Pen.Color == BlackColour; };
  EXPECT_EQ(Lines(canvas, thick), (std::vector<Segment>{{223, 27, 223, 247}, {380, 137, 65, 137}}));

  // A range that does not hold zero has no zero line.
  canvas = RecordingCanvas();
  caps.XMin = 1;
  caps.XMax = 3;
  Draw();
  EXPECT_EQ(Lines(canvas, thick), (std::vector<Segment>{{380, 137, 65, 137}}));
}

TEST_F(EmptyGraph, MarkersInsideTheRangeWithTheirLabels) {
  caps.XMarkers = {0.5, 1.0, -2.0};  // only 0.5 lies strictly inside
  caps.YMarkers = {-0.5};
  Draw();
  const auto red = [](const CanvasCall& c) { return c.Pen.Color == 0x0000FFu; };
  const auto blue = [](const CanvasCall& c) { return c.Pen.Color == 0xFF0000u; };
  EXPECT_EQ(Lines(canvas, red), (std::vector<Segment>{{302, 27, 302, 247}}));
  EXPECT_EQ(Lines(canvas, blue), (std::vector<Segment>{{380, 192, 65, 192}}));

  // Marker labels at 19 - 6 = 13 points: 7 pixels a character, 16 high.
  const CanvasCall xLabel = canvas.TextCall("0.50");
  EXPECT_EQ((Point{xLabel.X1, xLabel.Y1}), (Point{302 - 28 - 2, 27 + 2}));
  EXPECT_EQ(xLabel.Font.Size, 13);
  EXPECT_EQ(xLabel.Font.Color, 0x0000FFu);
  const CanvasCall yLabel = canvas.TextCall("-0.50");
  EXPECT_EQ((Point{yLabel.X1, yLabel.Y1}), (Point{65 + 2, 192 - 16}));
  EXPECT_EQ(yLabel.Font.Color, 0xFF0000u);

  EXPECT_EQ(canvas.Font(), (CanvasFont{"Times New Roman", 19, 0xFF0000u}));
  EXPECT_EQ(canvas.Pen().Color, BlackColour);
}

TEST_F(EmptyGraph, GridLinesInTheirColoursAndStyle) {
  caps.XMajorGrid = caps.XMinorGrid = caps.YMajorGrid = caps.YMinorGrid = true;
  caps.GridStyle = psDot;
  Draw();
  const auto grid = [](Colour colour) {
    return [colour](const CanvasCall& c) { return c.Pen.Color == colour && c.Pen.Style == psDot; };
  };
  // Major grid lines only strictly inside the range, minor vertical ones too.
  EXPECT_EQ(Lines(canvas, grid(0x808080)), (std::vector<Segment>{{223, 27, 223, 245}, {380, 137, 67, 137}}));
  EXPECT_EQ(Lines(canvas, grid(0xC0C0C0)),
            (std::vector<Segment>{
                {144, 27, 144, 245}, {302, 27, 302, 245}, {380, 192, 67, 192}, {380, 82, 67, 82}}));
  // The marks after a grid line are black and solid again.
  EXPECT_EQ(Lines(canvas, PlainPen).size(), 10u);
}

// Horizontal axis fixed at -5 .. 5 (step 2, ticks -6 .. 6), vertical empty -1 .. 1.
TEST(FixedAxis, MarksOnlyTheTicksInsideTheBounds) {
  RecordingCanvas canvas;
  TGraphCaps caps;
  caps.XMin = -5;
  caps.XMax = 5;
  caps.XMinorGrid = true;
  DrawGraph(canvas, 402, 301, caps, {}, ".");
  // Labels "000" and "00": size 19; Left 65, Right 33 / 2 + 10 = 26, PW 311,
  // Top 27, Bottom 54; px(v) = 65 + Round((v + 5) x 31.1).
  const std::vector<std::string> horizontal = {"-4.0", "-2.0", "0.0", "2.0", "4.0"};
  const std::vector<std::string> texts = canvas.Texts();
  ASSERT_GE(texts.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(texts.begin() + 1, texts.begin() + 6), horizontal);

  std::vector<int> majorColumns;
  std::vector<int> minorColumns;
  for (const Segment& s : Lines(canvas, PlainPen)) {
    if (s.Y1 != 245) continue;
    (s.Y2 == 252 ? majorColumns : minorColumns).push_back(s.X1);
  }
  EXPECT_EQ(majorColumns, (std::vector<int>{96, 158, 221, 283, 345}));
  EXPECT_EQ(minorColumns, (std::vector<int>{65, 127, 189, 252, 314, 376}));
  // The minor grid lines at both bounds fall on the frame.
  const std::vector<Segment> silver =
      Lines(canvas, [](const CanvasCall& c) { return c.Pen.Color == 0xC0C0C0u; });
  ASSERT_EQ(silver.size(), 6u);
  EXPECT_EQ(silver.front(), (Segment{65, 27, 65, 245}));
  EXPECT_EQ(silver.back(), (Segment{376, 27, 376, 245}));
}

TEST(FixedAxis, LabelsUseTheGivenDecimalSeparator) {
  RecordingCanvas canvas;
  TGraphCaps caps;
  caps.XMin = -5;
  caps.XMax = 5;
  caps.YMin = 0.9;
  caps.YMax = 1.0;
  DrawGraph(canvas, 392, 222, caps, {}, ",");
  const std::vector<std::string> expected = {"X",    "-4,0", "-2,0", "0,0",  "2,0",  "4,0",
                                             "0,90", "0,92", "0,94", "0,96", "0,98", "1,00"};
  EXPECT_EQ(canvas.Texts(), expected);
}

TEST(FixedAxis, FontFittingCountsTheTicksOutsideTheBounds) {
  // -5000 .. 5000: step 2000, ticks -6000 .. 6000 counted 7 times, 5 drawn.
  // At 19 points r3 = 470 - (55 + 4) x 7 - 22 - 33 - 10 < 0; at 18 it is 31.
  // Counting only the 5 drawn ticks would keep 19.
  RecordingCanvas canvas;
  TGraphCaps caps;
  caps.XMin = -5000;
  caps.XMax = 5000;
  DrawGraph(canvas, 470, 301, caps, {}, ".");
  EXPECT_EQ(canvas.Font().Size, 18);
  EXPECT_EQ(canvas.TextCall("-4000").Font.Size, 18);
}

TEST(FixedAxis, ReversedBoundsGiveNoMarksAndMirroredPoints) {
  RecordingCanvas canvas;
  TGraphCaps caps;
  caps.XMin = 5;
  caps.XMax = -5;
  const TGraphData data = {Series({5, -5}, {0, 0}, 2, 0)};
  DrawGraph(canvas, 402, 301, caps, data, ".");
  // Vertical axis: all points at 0, so -1 .. 1; horizontal step 2 with one
  // decimal, labels "000": Left 65, Right 26, PW 311. 5 maps to Left, -5 a
  // plot width further left.
  const std::vector<CanvasCall> dots = canvas.Of(Kind::Ellipse);
  ASSERT_EQ(dots.size(), 2u);
  EXPECT_EQ((Segment{dots[0].X1, dots[0].Y1, dots[0].X2, dots[0].Y2}), (Segment{63, 135, 67, 139}));
  EXPECT_EQ((Segment{dots[1].X1, dots[1].Y1, dots[1].X2, dots[1].Y2}),
            (Segment{63 - 311, 135, 67 - 311, 139}));
  for (const Segment& s : Lines(canvas, PlainPen)) EXPECT_NE(s.Y1, 245) << s;  // no horizontal marks
  EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"X", "-1", "0", "1"}));
}

TEST(AutomaticAxis, ExtendsToWholeTicks) {
  RecordingCanvas canvas;
  TGraphCaps caps;
  const TGraphData data = {Series({0, 25}, {2, 2}, 0, 0)};
  DrawGraph(canvas, 500, 301, caps, data, ".");
  // Horizontal 0 .. 28 by 4 with one decimal, labels "0000"; vertical: all
  // points at 2, so 1 .. 3 by 1, labels "0".
  const std::vector<std::string> texts = canvas.Texts();
  const std::vector<std::string> expected = {"X",    "0.0",  "4.0",  "8.0", "12.0", "16.0",
                                             "20.0", "24.0", "28.0", "1",   "2",    "3"};
  EXPECT_EQ(texts, expected);
  // Size 19: Left 11 + 33 + 10 = 54, Right 33 / 2 + 10 = 26; 28 sits on the
  // frame's right column W - Right.
  const CanvasCall last = canvas.TextCall("28.0");
  EXPECT_EQ(last.X1, 500 - 26 - 22);
  const CanvasCall first = canvas.TextCall("0.0");
  EXPECT_EQ(first.X1, 54 - 16);
}

TEST(SmallCanvas, FontStopsAtFourPointsAndThePlotKeepsOnePixel) {
  RecordingCanvas canvas;
  TGraphCaps caps;
  DrawGraph(canvas, 30, 20, caps, {}, ".");
  EXPECT_EQ(canvas.Font().Size, 4);
  // At 4 points: 2 pixels a character, 7 high; Left 4 + 10 + 10 = 24,
  // Right 12, Top 12, Bottom 24; PW and PH would be negative and become 1.
  const CanvasCall frame = canvas.Of(Kind::FrameRect).at(0);
  EXPECT_EQ((Segment{frame.X1, frame.Y1, frame.X2, frame.Y2}), (Segment{24, 12, 19, -3}));
  const CanvasCall minus = canvas.TextCall("-1");
  const CanvasCall plus = canvas.TextCall("1");
  EXPECT_EQ(minus.X1, 24 - 2);
  EXPECT_EQ(plus.X1, 25 - 1);  // one pixel further right
  EXPECT_EQ(minus.Font.Size, 4);
}

TEST(Series, CirclesAndLinesInTheSeriesColour) {
  RecordingCanvas canvas;
  TGraphCaps caps;
  caps.XMin = 0;
  caps.XMax = 316;
  caps.YMin = 0;
  caps.YMax = 220;
  const TGraphData data = {
      Series({0, 316}, {0, 220}, 2, 0, 0x00FF00),
      Series({0, 316}, {220, 0}, 0, 3, 0x0000FF),
      Series({0, 316}, {110, 110}, 0, 0, 0xFF0000),
  };
  DrawGraph(canvas, 402, 301, caps, data, ".");
  const std::vector<CanvasCall> dots = canvas.Of(Kind::Ellipse);
  ASSERT_EQ(dots.size(), 2u);
  for (const CanvasCall& dot : dots) {
    EXPECT_EQ(dot.X2 - dot.X1, 4);
    EXPECT_EQ(dot.Y2 - dot.Y1, 4);
    EXPECT_EQ(dot.Pen.Color, 0x00FF00u);
    EXPECT_EQ(dot.Brush, (CanvasBrush{0x00FF00, true}));
  }
  const std::vector<CanvasCall> lines = canvas.Of(Kind::Line);
  const CanvasCall& joined = lines.back();
  EXPECT_EQ(joined.Pen, (CanvasPen{0x0000FF, psSolid, 3}));
  // The first series' circle centres are the ends of the second series' line,
  // with the rows exchanged.
  EXPECT_EQ((Point{joined.X1, joined.Y1}), (Point{dots[0].X1 + 2, dots[1].Y1 + 2}));
  EXPECT_EQ((Point{joined.X2, joined.Y2}), (Point{dots[1].X1 + 2, dots[0].Y1 + 2}));
  // The third series has neither symbols nor lines.
  EXPECT_TRUE(Lines(canvas, [](const CanvasCall& c) { return c.Pen.Color == 0xFF0000u; }).empty());
}

TEST(Series, SkippedPointsBreakThePolylineOnBothSides) {
  RecordingCanvas canvas;
  TGraphCaps caps;
  caps.XMin = 0;
  caps.XMax = 6;
  TGraphSingleData s = Series({0, 1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4, 5, 6}, 0, 1, 0x00FF00);
  s.Visible = {true, true, false, true, true, false, true};
  DrawGraph(canvas, 369, 301, caps, {s}, ".");
  // Both axes step 1 with labels "0": Left 54, Right 15, PW 300, so
  // px(v) = 54 + 50 v; Top 27, PH 220, py(v) = 27 + Round((6 - v) x 220 / 6).
  const std::vector<Segment> green =
      Lines(canvas, [](const CanvasCall& c) { return c.Pen.Color == 0x00FF00u; });
  EXPECT_EQ(green, (std::vector<Segment>{{54, 247, 104, 210}, {204, 137, 254, 100}}));
  EXPECT_TRUE(canvas.Of(Kind::Ellipse).empty());
}

TEST(Series, MissingVisibleFlagsCountAsSkipped) {
  RecordingCanvas canvas;
  TGraphSingleData s = Series({0, 1, 2}, {0, 1, 2}, 2, 0);
  s.Visible = {true};
  DrawGraph(canvas, 402, 301, {}, {s}, ".");
  EXPECT_EQ(canvas.Of(Kind::Ellipse).size(), 1u);
}

}  // namespace
