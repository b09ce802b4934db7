#include "GraphDraw/DrawGraph.h"

#include <cmath>
#include <string>

#include "GraphDraw/GetBitmapUnit.h"
#include "GraphDraw/GraphScale.h"
#include "GraphDraw/TickLabel.h"

namespace {

constexpr Colour GreyColour = 0x808080u;
constexpr Colour SilverColour = 0xC0C0C0u;
constexpr Colour RedColour = 0x0000FFu;
constexpr Colour BlueColour = 0xFF0000u;

constexpr long double NoSpan = 1e-13L;
constexpr int StartFontSize = 20;
constexpr int SmallestFontSize = 4;
constexpr int LargestTitleSize = 14;

// Everything the drawer works out for one axis.
struct Axis {
  double Lower = 0.0;
  double Upper = 0.0;
  bool Fixed = false;
  double Step = 0.0;
  double First = 0.0;
  double Last = 0.0;
  double Span = 0.0;
  int MajorTicks = 0;
  int Decimals = 0;
  std::string LabelTemplate;  // "0" per label character, to measure label sizes
};

// Round, halves to even, for a tick count; a count that is not a number or
// out of all proportion (bounds that are not finite) is held to a safe range.
int RoundedCount(long double q) {
  constexpr long double limit = 1.0e6L;
  if (std::isnan(q)) return 0;
  const long double r = std::nearbyint(q);
  if (r > limit) return static_cast<int>(limit);
  if (r < -limit) return -static_cast<int>(limit);
  return static_cast<int>(r);
}

Axis ChooseRange(double fixedMin, double fixedMax, double dataMin, double dataMax) {
  Axis axis;
  axis.Fixed = std::fabs(static_cast<long double>(fixedMax) - fixedMin) > NoSpan;
  axis.Lower = axis.Fixed ? fixedMin : dataMin;
  axis.Upper = axis.Fixed ? fixedMax : dataMax;
  axis.Step = NiceStep(axis.Upper, axis.Lower);
  axis.First = FirstTick(axis.Step, axis.Upper, axis.Lower);
  axis.Last = LastTick(axis.Step, axis.Upper, axis.First);
  return axis;
}

// An axis whose bounds coincide gets one unit either side of its value.
void WidenDegenerate(Axis& axis) {
  if (std::fabs(static_cast<long double>(axis.Upper) - axis.Lower) < NoSpan) {
    axis.Step = 1.0;
    axis.First = static_cast<double>(static_cast<long double>(axis.Lower) - 1);
    axis.Last = static_cast<double>(static_cast<long double>(axis.Lower) + 1);
  }
}

void FinishAxis(Axis& axis) {
  if (!axis.Fixed) {
    if (axis.Last > axis.Upper) axis.Upper = axis.Last;
    if (axis.First < axis.Lower) axis.Lower = axis.First;
  }
  axis.Span = static_cast<double>(std::fabs(static_cast<long double>(axis.Upper) - axis.Lower));
  axis.MajorTicks = RoundedCount((static_cast<long double>(axis.Last) - axis.First) / axis.Step) + 1;
  axis.Decimals = StepDecimals(axis.Step);
  const int chars = LabelChars(axis.Decimals, axis.Upper, axis.Lower);
  axis.LabelTemplate = chars > 0 ? std::string(static_cast<std::size_t>(chars), '0') : std::string();
}

struct Layout {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int PW = 0;
  int PH = 0;
  double XScale = 0.0;
  double YScale = 0.0;
  int AxisRow = 0;
  int AxisCol = 0;
};

// Shrinks the font from 19 points until the labels fit, or to 4 points.
int FitFontSize(Canvas& canvas, int W, int H, const Axis& x, const Axis& y) {
  const std::string& xt = x.LabelTemplate;
  const std::string& yt = y.LabelTemplate;
  canvas.Font().Name = GraphFontName;
  canvas.Font().Size = StartFontSize;
  for (;;) {
    --canvas.Font().Size;
    const int r1 = W / 5 - canvas.TextWidth(yt) - (3 * canvas.TextHeight(yt)) / 2 - 10;
    const int r2 = H - (canvas.TextHeight(yt) + 4) * y.MajorTicks;
    const int r3 = W - (canvas.TextWidth(xt) + 4) * x.MajorTicks - canvas.TextWidth(yt) -
                   (3 * canvas.TextHeight(yt)) / 2 - 10;
    const int r4 = H / 5 - 2 * canvas.TextHeight(xt) - 10;
    if ((r1 > 0 && r2 > 0 && r3 > 0 && r4 > 0) || canvas.Font().Size <= SmallestFontSize) break;
  }
  return canvas.Font().Size;
}

Layout MeasureLayout(const Canvas& canvas, int W, int H, const Axis& x, const Axis& y) {
  Layout l;
  const std::string& xt = x.LabelTemplate;
  const std::string& yt = y.LabelTemplate;
  l.Left = canvas.TextWidth(yt) + (3 * canvas.TextHeight(yt)) / 2 + 10;
  l.Bottom = 2 * canvas.TextHeight(xt) + 10;
  l.Top = canvas.TextHeight(xt) + 5;
  l.Right = canvas.TextWidth(xt) / 2 + 10;
  l.PW = W - l.Left - l.Right;
  l.PH = H - l.Bottom - l.Top;
  if (l.PW <= 0) l.PW = 1;
  if (l.PH <= 0) l.PH = 1;
  l.XScale = static_cast<double>(x.Span / static_cast<long double>(l.PW));
  l.YScale = static_cast<double>(y.Span / static_cast<long double>(l.PH));
  return l;
}

// The drawing steps, sharing the axes and the layout.
class GraphPainter {
 public:
  GraphPainter(Canvas& canvas, int W, int H, const TGraphCaps& caps, const std::string& separator)
      : c_(canvas), W_(W), H_(H), caps_(caps), separator_(separator) {}

  void Paint(const TGraphData& data) {
    x_ = ChooseRange(caps_.XMin, caps_.XMax, GraphMinX(data), GraphMaxX(data));
    y_ = ChooseRange(caps_.YMin, caps_.YMax, GraphMinY(data), GraphMaxY(data));
    WidenDegenerate(y_);
    WidenDegenerate(x_);
    FinishAxis(x_);
    FinishAxis(y_);
    size_ = FitFontSize(c_, W_, H_, x_, y_);
    l_ = MeasureLayout(c_, W_, H_, x_, y_);

    PaintBackgroundAndFrame();
    PaintCaptions();
    PaintTitles();

    c_.Pen().Width = 1;
    c_.Pen().Color = BlackColour;
    c_.Brush().Color = WhiteColour;
    c_.Brush().Solid = true;
    l_.AxisRow = Py(y_.Lower);
    l_.AxisCol = Px(x_.Lower);

    PaintHorizontalTicks(true);
    PaintHorizontalTicks(false);
    PaintVerticalTicks(true);
    PaintVerticalTicks(false);
    PaintVerticalZeroLine();
    PaintHorizontalMarkers();
    PaintHorizontalZeroLine();
    PaintVerticalMarkers();
    PaintSeries(data);

    // The pen is also made solid: without series it could still carry the
    // style it came in with, and callers rely on a plain pen afterwards.
    c_.Pen().Color = BlackColour;
    c_.Pen().Width = 1;
    c_.Pen().Style = psSolid;
    c_.Brush().Color = WhiteColour;
    c_.Brush().Solid = true;
  }

 private:
  int Px(double v) const { return XToPixel(l_.Left, l_.XScale, x_.Lower, v); }
  int Py(double v) const { return YToPixel(l_.Top, l_.YScale, y_.Upper, v); }

  void Line(int x1, int y1, int x2, int y2) {
    c_.MoveTo(x1, y1);
    c_.LineTo(x2, y2);
  }

  void PaintBackgroundAndFrame() {
    c_.Pen().Color = WhiteColour;
    c_.Brush().Color = WhiteColour;
    c_.Rectangle(0, 0, W_, H_);
    c_.Brush().Color = BlackColour;
    c_.FrameRect({l_.Left, l_.Top, W_ - l_.Right + 1, H_ - l_.Bottom + 1});
    c_.Pen().Color = BlackColour;
    c_.Brush().Color = WhiteColour;
  }

  void PaintCaptions() {
    Bitmap vertical;
    TextToVerticalBitmap(c_, caps_.YCaption, c_.Font(), vertical);
    c_.Draw(1, l_.PH / 2 + l_.Top - vertical.height() / 2, vertical);
    const std::string& xc = caps_.XCaption;
    c_.TextOut(l_.PW / 2 + l_.Left - c_.TextWidth(xc) / 2, H_ - c_.TextHeight(xc) - 1, xc);
  }

  void PaintTitles() {
    if (size_ > LargestTitleSize) c_.Font().Size = LargestTitleSize;
    const std::string& left = caps_.TitleLeft;
    c_.TextOut(l_.Left, l_.Top - c_.TextHeight(left), left);
    const int room = W_ - l_.Left - l_.Right - 20;
    if (room > c_.TextWidth(left)) {
      std::string right = caps_.TitleRight;
      while (!right.empty() && room < c_.TextWidth(left) + c_.TextWidth(right)) right.pop_back();
      c_.TextOut(W_ - l_.Right - c_.TextWidth(right), l_.Top - c_.TextHeight(right), right);
    }
    c_.Font().Size = size_;
  }

  void GridLine(Colour colour, int x1, int y1, int x2, int y2) {
    c_.Pen().Color = colour;
    c_.Pen().Style = caps_.GridStyle;
    Line(x1, y1, x2, y2);
    c_.Pen().Color = BlackColour;
    c_.Pen().Style = psSolid;
  }

  // Visits start, start + step, ... while the value stays at or below the
  // axis' upper bound (the start itself always), for values within the axis.
  template <typename Visit>
  static void ForEachTick(const Axis& axis, double start, Visit visit) {
    double v = start;
    for (;;) {
      if (axis.Lower <= v && v <= axis.Upper) visit(v);
      const double next = static_cast<double>(static_cast<long double>(v) + axis.Step);
      if (!(next <= axis.Upper && axis.Step > 0) || next == v) break;
      v = next;
    }
  }

  static double MinorStart(const Axis& axis) {
    return static_cast<double>(axis.First + static_cast<long double>(axis.Step) / 2);
  }

  void PaintHorizontalTicks(bool major) {
    const int row = l_.AxisRow;
    const double start = major ? x_.First : MinorStart(x_);
    ForEachTick(x_, start, [&](double v) {
      const int px = Px(v);
      Line(px, row - 2, px, major ? row + 5 : row + 3);
      if (major) {
        if (caps_.XMajorGrid && x_.Lower < v && v < x_.Upper) GridLine(GreyColour, px, l_.Top, px, row - 2);
        const std::string label = FixedPointText(v, x_.Decimals, separator_);
        c_.TextOut(px - c_.TextWidth(label) / 2, row + 8, label);
      } else if (caps_.XMinorGrid) {
        GridLine(SilverColour, px, l_.Top, px, row - 2);
      }
    });
  }

  void PaintVerticalTicks(bool major) {
    const int col = l_.AxisCol;
    const int right = W_ - l_.Right - 1;
    const double start = major ? y_.First : MinorStart(y_);
    ForEachTick(y_, start, [&](double v) {
      const int py = Py(v);
      Line(major ? col - 4 : col - 3, py, col + 2, py);
      const bool inside = y_.Lower < v && v < y_.Upper;
      if (major) {
        if (caps_.YMajorGrid && inside) GridLine(GreyColour, right, py, col + 2, py);
        const std::string label = FixedPointText(v, y_.Decimals, separator_);
        c_.TextOut(col - c_.TextWidth(label) - 8, py - c_.TextHeight(label) / 2, label);
      } else if (caps_.YMinorGrid && inside) {
        GridLine(SilverColour, right, py, col + 2, py);
      }
    });
  }

  void ThickBlackLine(int x1, int y1, int x2, int y2) {
    c_.Pen().Color = BlackColour;
    c_.Pen().Style = psSolid;
    c_.Pen().Width = 3;
    Line(x1, y1, x2, y2);
    c_.Pen().Width = 1;
  }

  void PaintVerticalZeroLine() {
    if (caps_.ZeroLines && x_.Upper >= 0 && x_.Lower <= 0) ThickBlackLine(Px(0), l_.Top, Px(0), l_.AxisRow);
  }

  void PaintHorizontalZeroLine() {
    if (caps_.ZeroLines && y_.Upper >= 0 && y_.Lower <= 0) {
      ThickBlackLine(W_ - l_.Right - 1, Py(0), l_.AxisCol, Py(0));
    }
  }

  void SetMarkerFontSize() {
    int size = size_ < 10 ? 4 : size_ - 6;
    if (size > 16) size = 16;
    c_.Font().Size = size;
  }

  void EndMarkers() {
    c_.Pen().Color = BlackColour;
    c_.Pen().Style = psSolid;
    c_.Font().Size = size_;
  }

  void PaintHorizontalMarkers() {
    if (caps_.XMarkers.empty()) return;
    SetMarkerFontSize();
    for (const double m : caps_.XMarkers) {
      if (!(x_.Lower < m && m < x_.Upper)) continue;
      c_.Pen().Color = RedColour;
      c_.Pen().Style = psSolid;
      Line(Px(m), l_.Top, Px(m), l_.AxisRow);
      c_.Font().Color = RedColour;
      const std::string label = FixedPointText(m, x_.Decimals + 2, separator_);
      c_.TextOut(Px(m) - c_.TextWidth(label) - 2, l_.Top + 2, label);
    }
    EndMarkers();
  }

  void PaintVerticalMarkers() {
    if (caps_.YMarkers.empty()) return;
    SetMarkerFontSize();
    for (const double m : caps_.YMarkers) {
      if (!(y_.Lower < m && m < y_.Upper)) continue;
      c_.Pen().Color = BlueColour;
      c_.Pen().Style = psSolid;
      Line(W_ - l_.Right - 1, Py(m), l_.AxisCol, Py(m));
      c_.Font().Color = BlueColour;
      const std::string label = FixedPointText(m, y_.Decimals + 2, separator_);
      c_.TextOut(l_.AxisCol + 2, Py(m) - c_.TextHeight(label), label);
    }
    EndMarkers();
  }

  void PaintSeries(const TGraphData& data) {
    c_.Pen().Color = BlackColour;
    c_.Brush().Color = BlackColour;
    c_.Brush().Solid = true;
    for (const TGraphSingleData& series : data) {
      const std::size_t n = series.X.size() < series.Y.size() ? series.X.size() : series.Y.size();
      c_.Pen().Color = series.SeriesColor;
      c_.Brush().Color = series.SeriesColor;
      if (series.LineWidth > 0) c_.Pen().Width = series.LineWidth;
      c_.Pen().Style = psSolid;
      // A missing flag counts as a skipped point.
      const auto visible = [&](std::size_t j) { return j < series.Visible.size() && series.Visible[j]; };
      const int r = series.SymbolRadius;
      int previousX = 0;
      int previousY = 0;
      for (std::size_t j = 0; j < n; ++j) {
        if (!visible(j)) continue;
        const int x = Px(series.X[j]);
        const int y = Py(series.Y[j]);
        if (r > 0) c_.Ellipse(x - r, y - r, x + r, y + r);
        if (j > 0 && series.LineWidth > 0 && visible(j - 1)) Line(previousX, previousY, x, y);
        previousX = x;
        previousY = y;
      }
    }
  }

  Canvas& c_;
  const int W_;
  const int H_;
  const TGraphCaps& caps_;
  const std::string& separator_;
  Axis x_;
  Axis y_;
  int size_ = 0;
  Layout l_;
};

}  // namespace

void DrawGraph(Canvas& canvas, int W, int H, const TGraphCaps& caps, const TGraphData& data,
               const std::string& decimalSeparator) {
  GraphPainter(canvas, W, H, caps, decimalSeparator).Paint(data);
}
