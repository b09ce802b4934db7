#include <cstddef>

#include "devset/DevSetGroups.h"

namespace devset {

namespace {

// One random scatter plot: the picture's size, one of the eleven marker
// styles, the marks' size and count, how many of them gather in clusters,
// and how close two may come.
struct ScatterPlan {
  int width;
  int height;
  int style;  // index into Styles()
  double size;
  int count;
  int clusters;
  double clustered;  // share of the marks in clusters
  double spread;     // a cluster's standard deviation, pixels
  double apart;      // no two centres closer than this share of the size
  bool labelled;     // tick labels and axis titles
};

struct MarkStyle {
  Shape shape;
  bool filled;
};

const MarkStyle* Styles() {
  static const MarkStyle styles[11] = {
      {Shape::Circle, true},        {Shape::Circle, false},   {Shape::Square, true},
      {Shape::Square, false},       {Shape::Diamond, true},   {Shape::Diamond, false},
      {Shape::Triangle, true},      {Shape::Triangle, false}, {Shape::TriangleDown, true},
      {Shape::TriangleDown, false}, {Shape::Plus, true},
  };
  return styles;
}

// Black marks inside a frame with outward ticks, some with tick labels and
// axis titles; the marks stay clear of the frame.
PictureRecipe ScatterPlot(const ScatterPlan& plan, std::size_t index) {
  PictureRecipe s;
  s.name = "scatter_" + std::string(index < 9 ? "0" : "") + std::to_string(index + 1);
  s.group = "scatter";
  s.seed = 801 + static_cast<unsigned>(index);
  s.width = plan.width;
  s.height = plan.height;
  s.ticks = false;
  const MarkStyle style = Styles()[plan.style];
  Marker& m = s.target.marker;
  m.shape = style.shape;
  m.filled = style.filled;
  m.size = plan.size;
  m.stroke = style.shape == Shape::Plus ? 1.5 + plan.size / 10 : 1.2;
  Series& t = s.target;
  t.layout = Layout::Scatter;
  t.count = plan.count;
  t.padding = plan.size / 2 + 3;
  t.clusters = plan.clusters;
  t.clustered = plan.clustered;
  t.clusterSpread = plan.spread;
  t.minDistance = plan.apart * plan.size;
  s.margins = {plan.labelled ? 62.0 : 26.0, 12, 14, plan.labelled ? 48.0 : 22.0};
  s.xAxis.ticks = 4 + static_cast<int>(index % 4);
  s.xAxis.step = 10.0 / s.xAxis.ticks;
  s.xAxis.decimals = 1;
  s.yAxis.ticks = 5;
  s.yAxis.from = -1;
  s.yAxis.step = 0.4;
  s.yAxis.decimals = 1;
  s.xAxis.labelled = s.yAxis.labelled = plan.labelled;
  if (plan.labelled && index % 2 == 0) {
    s.xAxis.title = "x";
    s.yAxis.title = "y";
  }
  s.axisFont = {Face::Sans, Style::Regular, 12};
  s.unitMargin = 2;
  return s;
}

}  // namespace

std::vector<PictureRecipe> ScatterPictures() {
  // Ordered by the share of marks that overlap another (in the comments),
  // from none to more than half: the counts, the smallest distances and the
  // clustering were chosen to spread it evenly.
  static const ScatterPlan plans[] = {
      {600, 450, 0, 6, 150, 0, 0.00, 0, 1.60, true},     // 0.000
      {700, 520, 4, 11, 137, 4, 0.60, 38, 1.12, true},   // 0.022
      {800, 600, 8, 7, 174, 0, 0.00, 0, 1.06, false},    // 0.034
      {900, 700, 1, 12, 211, 0, 0.00, 0, 0.81, true},    // 0.057
      {640, 480, 5, 8, 248, 3, 0.60, 62, 0.97, true},    // 0.081
      {750, 560, 9, 13, 135, 0, 0.00, 0, 0.80, false},   // 0.089
      {600, 450, 2, 9, 129, 0, 0.00, 0, 0.00, true},     // 0.109
      {700, 520, 6, 14, 209, 6, 0.60, 46, 0.97, true},   // 0.129
      {800, 600, 10, 10, 228, 0, 0.00, 0, 0.00, false},  // 0.154
      {900, 700, 3, 6, 621, 0, 0.00, 0, 0.00, true},     // 0.171
      {640, 480, 7, 11, 170, 5, 0.60, 30, 0.84, true},   // 0.194
      {750, 560, 0, 7, 376, 0, 0.00, 0, 0.00, false},    // 0.210
      {600, 450, 4, 12, 244, 0, 0.00, 0, 0.86, true},    // 0.225
      {700, 520, 8, 8, 211, 4, 0.60, 54, 0.00, true},    // 0.246
      {800, 600, 1, 13, 182, 0, 0.00, 0, 0.00, false},   // 0.264
      {900, 700, 5, 9, 598, 0, 0.00, 0, 0.00, true},     // 0.284
      {640, 480, 9, 14, 242, 3, 0.60, 38, 0.92, true},   // 0.302
      {750, 560, 2, 10, 394, 0, 0.00, 0, 0.00, false},   // 0.322
      {600, 450, 6, 6, 419, 0, 0.00, 0, 0.00, true},     // 0.341
      {700, 520, 10, 11, 453, 6, 0.60, 62, 0.00, true},  // 0.360
      {800, 600, 3, 7, 700, 5, 0.25, 25, 0.00, false},   // 0.374
      {900, 700, 7, 12, 480, 0, 0.00, 0, 0.00, true},    // 0.400
      {640, 480, 0, 8, 292, 5, 0.60, 46, 0.00, true},    // 0.414
      {750, 560, 4, 13, 411, 0, 0.00, 0, 0.00, false},   // 0.438
      {600, 450, 8, 9, 363, 0, 0.00, 0, 0.00, true},     // 0.455
      {700, 520, 1, 14, 107, 4, 0.60, 30, 0.00, true},   // 0.467
      {800, 600, 5, 10, 700, 5, 0.30, 25, 0.00, false},  // 0.477
      {900, 700, 9, 6, 700, 5, 0.59, 25, 0.00, true},    // 0.513
      {640, 480, 2, 11, 274, 3, 0.60, 54, 0.00, true},   // 0.529
      {750, 560, 6, 7, 700, 5, 0.56, 25, 0.00, false},   // 0.551
  };
  std::vector<PictureRecipe> set;
  for (std::size_t k = 0; k < sizeof plans / sizeof plans[0]; ++k) set.push_back(ScatterPlot(plans[k], k));
  return set;
}

}  // namespace devset
