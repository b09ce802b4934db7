// One point per channel against the two other modes on dense spectra of the
// development set: recall and precision (a point within half a symbol of
// the true one), the velocity error in channel spacings, the value error in
// pixels where the symbol's top or bottom rim shows, and the time; then the
// time on a 3000 x 2000 spectrum of 1024 channels.
//
//   channel_bench [--only NAME-PART] [--group NAME] [--detail] [--no-large]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BenchRuns.h"
#include "devset/DevChannelTruth.h"
#include "extract/channels/ChannelSearch.h"

namespace {

std::vector<Found> RunChannels(const Bitmap& picture, const Bitmap& unit, std::optional<int> channels,
                               double& seconds, std::string& report) {
  const auto start = Clock::now();
  Quiet q;
  ChannelSearchOptions options;
  options.channels = channels;
  const ChannelSearchResult r = FindChannelPoints(picture, unit, q, options);
  seconds = Seconds(start);
  report = r.report;
  if (r.grid) {
    char grid[96];
    std::snprintf(grid, sizeof grid, " (spacing %.5f px, offset %.3f px, %d on the grid)", r.grid->spacing,
                  r.grid->offset, r.grid->onGrid);
    report += grid;
  }
  std::vector<Found> out;
  for (const ThoroughPoint& p : r.points) out.push_back({p.x, p.y, p.score});
  return out;
}

Figures CompareChannels(const devset::DevPicture& p, const std::vector<Found>& found, double radius,
                        double spacing, bool detail) {
  std::vector<devset::FoundPoint> points;
  for (const Found& f : found) points.push_back({f.x, f.y});
  const devset::ChannelFigures c = devset::CompareChannelPoints(p, points, radius, spacing, detail);
  Figures fig;
  fig.found = static_cast<int>(found.size());
  fig.recall = c.recall;
  fig.precision = c.precision;
  fig.rmsAcross = c.velocityError * spacing;
  fig.biasAcross = c.velocityBias * spacing;
  fig.rmsDown = c.valueError;
  fig.biasDown = c.valueBias;
  return fig;
}

bool Passes(const Figures& f, double spacing) {
  return f.recall >= 0.995 && f.precision >= 0.995 && f.rmsAcross <= 0.02 * spacing && f.rmsDown <= 0.5;
}

void Print(const char* mode, const Figures& f, double spacing) {
  std::printf(
      "   %-9s recall %.3f precision %.3f  velocity %.4f sp (mean %+.4f)  value %.3f px (mean %+.3f)  %6.3fs "
      "%s\n",
      mode, f.recall, f.precision, spacing > 0 ? f.rmsAcross / spacing : 0,
      spacing > 0 ? f.biasAcross / spacing : 0, f.rmsDown, f.biasDown, f.seconds,
      Passes(f, spacing) ? "" : "<");
}

}  // namespace

int main(int argc, char** argv) {
  std::string only, group = "dense";
  bool detail = false, large = true;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) only = argv[++i];
    if (std::strcmp(argv[i], "--group") == 0 && i + 1 < argc) group = argv[++i];
    if (std::strcmp(argv[i], "--detail") == 0) detail = true;
    if (std::strcmp(argv[i], "--no-large") == 0) large = false;
  }
  int pictures = 0, passing = 0;
  double total = 0;
  for (const devset::PictureRecipe& recipe : devset::DevelopmentSet(group)) {
    if (!only.empty() && recipe.name.find(only) == std::string::npos) continue;
    const devset::DevPicture p = devset::RenderPicture(recipe);
    const Bitmap unit = UnitOf(p);
    const double spacing = recipe.target.spacing * recipe.scale;
    const int channels = static_cast<int>(std::lround(p.picture.width() / spacing));
    const double radius = 0.5 * recipe.target.marker.size * recipe.scale;
    int rims = 0;
    for (const devset::TruthPoint& t : p.truth) rims += t.rimVisible && !t.optional ? 1 : 0;
    std::printf("%s  (%d x %d, %zu symbols, %d with a visible rim, spacing %.5f px, first at %.3f px)\n",
                recipe.name.c_str(), p.picture.width(), p.picture.height(), p.truth.size(), rims, spacing,
                p.truth.empty() ? 0.0 : std::fmod(p.truth.front().x + 100 * spacing, spacing));
    Figures d, t, a, n;
    std::string report, reportGiven;
    {
      std::vector<Found> found = RunDefault(p.picture, unit, d.seconds);
      const double s = d.seconds;
      d = Compare(p, found, radius, false, "default");
      d.seconds = s;
    }
    {
      std::vector<Found> found = RunThorough(p.picture, unit, t.seconds);
      const double s = t.seconds;
      t = Compare(p, found, radius, false, "thorough");
      t.seconds = s;
    }
    {
      std::vector<Found> found = RunChannels(p.picture, unit, std::nullopt, a.seconds, report);
      const double s = a.seconds;
      a = CompareChannels(p, found, radius, spacing, detail);
      a.seconds = s;
    }
    {
      std::vector<Found> found = RunChannels(p.picture, unit, channels, n.seconds, reportGiven);
      const double s = n.seconds;
      n = CompareChannels(p, found, radius, spacing, false);
      n.seconds = s;
    }
    Print("default", d, spacing);
    Print("thorough", t, spacing);
    Print("channels", a, spacing);
    std::printf("             %s\n", report.c_str());
    Print("given N", n, spacing);
    std::printf("             %d given: %s\n", channels, reportGiven.c_str());
    ++pictures;
    passing += Passes(a, spacing) ? 1 : 0;
    total += a.seconds;
  }
  if (pictures > 0)
    std::printf("channels: %d of %d pictures pass, %.2f s in all\n", passing, pictures, total);
  if (large) {
    const devset::DevPicture p = devset::RenderPicture(devset::LargeChannelsRecipe());
    const Bitmap unit = UnitOf(p);
    const double spacing = p.recipe.target.spacing;
    double best = 1e9;
    std::vector<Found> found;
    std::string report;
    for (int run = 0; run < 3; ++run) {
      double s = 0;
      found = RunChannels(p.picture, unit, std::nullopt, s, report);
      best = std::min(best, s);
    }
    Figures f = CompareChannels(p, found, 0.5 * p.recipe.target.marker.size, spacing, false);
    f.seconds = best;
    std::printf("%s (%d x %d, %zu symbols): best of 3 runs\n", p.recipe.name.c_str(), p.picture.width(),
                p.picture.height(), p.truth.size());
    Print("channels", f, spacing);
    std::printf("             %s\n", report.c_str());
  }
  return 0;
}
