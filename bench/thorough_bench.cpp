// Recall, precision and centre error of both detection modes on the
// development set of rendered plot scans, with their run times, figures per
// group of pictures, and the time of both on 3000 x 2000 pictures.
//
//   thorough_bench [--only NAME-PART] [--group NAME] [--skip-default] [--detail] [--no-large]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "BenchRuns.h"

namespace {

bool Passes(const Figures& f) {
  return f.recall >= 0.995 && f.precision >= 0.995 && f.rms <= 0.3;
}

// The thorough mode's figures over the pictures of a group.
struct Tally {
  int pictures = 0;
  int good = 0;  // recall and precision >= 0.99
  double recall = 0;
  double precision = 0;
  double f1 = 0;
  double visibleRecall = 0;
  void add(const Figures& f) {
    ++pictures;
    good += f.recall >= 0.99 && f.precision >= 0.99 ? 1 : 0;
    recall += f.recall;
    precision += f.precision;
    f1 += f.f1();
    visibleRecall += f.visibleRecall;
  }
  void print(const std::string& what, bool visible) const {
    if (pictures == 0) return;
    const double n = pictures;
    std::printf("%-26s %3d pictures: mean recall %.4f, precision %.4f, F1 %.4f", what.c_str(), pictures,
                recall / n, precision / n, f1 / n);
    if (visible) std::printf(", recall on visible %.4f", visibleRecall / n);
    std::printf("; %d with recall and precision >= 0.99\n", good);
  }
};

// Severity below which a scatter plot counts as lightly overlapped.
constexpr double LightOverlap = 0.3;

}  // namespace

int main(int argc, char** argv) {
  std::string only, group;
  bool skipDefault = false, detail = false, large = true;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) only = argv[++i];
    if (std::strcmp(argv[i], "--group") == 0 && i + 1 < argc) group = argv[++i];
    if (std::strcmp(argv[i], "--skip-default") == 0) skipDefault = true;
    if (std::strcmp(argv[i], "--detail") == 0) detail = true;
    if (std::strcmp(argv[i], "--no-large") == 0) large = false;
  }
  std::printf("%-28s %5s %4s | %-34s | %-34s | %-7s %5s\n", "picture", "size", "true",
              "default: recall prec.   rms    time", "thorough: recall prec.  rms    time", "group", "F1");
  int pictures = 0, passing = 0, precise = 0;
  double recallSum = 0, minPrecision = 1, defaultTime = 0, thoroughTime = 0;
  std::map<std::string, Tally> groups;
  Tally lightScatter;
  for (const devset::PictureRecipe& recipe : devset::DevelopmentSet()) {
    if (!only.empty() && recipe.name.find(only) == std::string::npos) continue;
    if (!group.empty() && recipe.group != group) continue;
    const devset::DevPicture p = devset::RenderPicture(recipe);
    const Bitmap unit = UnitOf(p);
    const double radius = std::max(2.0, 0.45 * recipe.target.marker.size * recipe.scale);
    Figures d, t;
    if (!skipDefault) {
      const std::vector<Found> found = RunDefault(p.picture, unit, d.seconds);
      const double s = d.seconds;
      d = Compare(p, found, radius, detail, "default ");
      d.seconds = s;
    }
    {
      const std::vector<Found> found = RunThorough(p.picture, unit, t.seconds);
      const double s = t.seconds;
      t = Compare(p, found, radius, detail, "thorough");
      t.seconds = s;
    }
    std::printf("%-28s %4dk %4zu | %6.3f %6.3f %6.3f %7.3fs     | %6.3f %6.3f %6.3f %7.3fs %3s | %-7s %5.3f",
                recipe.name.c_str(), p.picture.width() * p.picture.height() / 1000, p.truth.size(), d.recall,
                d.precision, d.rms, d.seconds, t.recall, t.precision, t.rms, t.seconds, Passes(t) ? "" : "<",
                recipe.group.c_str(), t.f1());
    if (recipe.group == "scatter") std::printf("  overlap %.3f", p.overlap);
    if (recipe.group == "dense") std::printf("  visible %4d recall %.3f", t.visible, t.visibleRecall);
    std::printf("\n");
    groups[recipe.group].add(t);
    if (recipe.group == "scatter" && p.overlap < LightOverlap) lightScatter.add(t);
    ++pictures;
    passing += Passes(t) ? 1 : 0;
    precise += t.precision >= 0.98 ? 1 : 0;
    recallSum += t.recall;
    minPrecision = std::min(minPrecision, t.precision);
    defaultTime += d.seconds;
    thoroughTime += t.seconds;
  }
  if (pictures > 0) {
    std::printf(
        "thorough: %d of %d pictures with recall and precision >= 0.995 and rms <= 0.3 px (%.0f %%)\n",
        passing, pictures, 100.0 * passing / pictures);
    std::printf("thorough: mean recall %.4f, lowest precision %.4f, %d of %d with precision >= 0.98\n",
                recallSum / pictures, minPrecision, precise, pictures);
    std::printf("total time: default %.2f s, thorough %.2f s\n", defaultTime, thoroughTime);
    std::printf("thorough by group:\n");
    for (const std::string& name : devset::DevelopmentGroups()) {
      const auto found = groups.find(name);
      if (found == groups.end()) continue;
      if (name == "scatter") {
        lightScatter.print("  scatter, overlap < 0.3", false);
        found->second.print("  scatter, all", false);
      } else {
        found->second.print("  " + name, name == "dense");
      }
    }
  }
  if (large) {
    for (const devset::PictureRecipe& recipe :
         {devset::LargeRecipe(), devset::LargeTintedRecipe(), devset::LargeDenseRecipe()}) {
      const devset::DevPicture p = devset::RenderPicture(recipe);
      const Bitmap unit = UnitOf(p);
      double best = 1e9, bestDefault = 1e9;
      std::vector<Found> thoroughFound, defaultFound;
      for (int run = 0; run < 3; ++run) {
        double s = 0;
        thoroughFound = RunThorough(p.picture, unit, s);
        best = std::min(best, s);
        if (!skipDefault) {
          defaultFound = RunDefault(p.picture, unit, s);
          bestDefault = std::min(bestDefault, s);
        }
      }
      const double radius = std::max(2.0, 0.45 * recipe.target.marker.size * recipe.scale);
      const Figures t = Compare(p, thoroughFound, radius, false, "thorough");
      const Figures d = Compare(p, defaultFound, radius, false, "default ");
      std::printf(
          "%s (%d x %d, %zu symbols): thorough %.3f s (recall %.3f, precision %.3f, rms %.3f), default %.3f "
          "s "
          "(recall %.3f, precision %.3f, rms %.3f), best of 3",
          recipe.name.c_str(), p.picture.width(), p.picture.height(), p.truth.size(), best, t.recall,
          t.precision, t.rms, skipDefault ? 0.0 : bestDefault, d.recall, d.precision, d.rms);
      if (recipe.group == "dense")
        std::printf("; thorough recall on %d visible %.3f", t.visible, t.visibleRecall);
      std::printf("\n");
    }
  }
  return 0;
}
