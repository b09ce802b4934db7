#include "extract/channels/ChannelSolver.h"

#include <algorithm>
#include <cmath>

namespace {

// Pixels off the picture, flagged as the window's ink.
constexpr std::uint32_t OffPicture = 1u << 30;

// A channel has a symbol when placing it lowers the misfit by this share of
// its judged ink ...
constexpr float LeastGain = 0.02f;
// ... or, with neighbours on both sides, raises it by no more than this: a
// symbol hidden under its neighbours.
constexpr float HiddenSlack = 0.05f;
// Of rows that fit alike, the one nearest to what the neighbours suggest:
// the penalty per squared pixel away, as a share of the template's ink.
constexpr float Smoothness = 1e-4f;
constexpr int MostPasses = 8;

}  // namespace

// The picture's ink with the pixels that count neither way flagged.
std::vector<std::uint32_t> JudgedInk(SearchState& s) {
  const auto pixel = [&](int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(s.width) + static_cast<std::size_t>(x);
  };
  std::vector<std::uint32_t> judged(static_cast<std::size_t>(s.width) * static_cast<std::size_t>(s.height),
                                    0);
  const std::array<float, 3>& d = s.unit.meanDirection;
  const float ratio2 = s.tuning.otherColour * s.tuning.otherColour;
  s.lanes.each(s.height, [&](int y, int) {
    for (int x = 0; x < s.width; ++x) {
      const std::uint32_t ink = s.ink.at(x, y);
      std::uint32_t& out = judged[pixel(x, y)];
      out = ink & 0xFFFFFFu;
      if (ink & InkPicture::Unjudged) {
        out |= NotJudged;
      } else if (ink != 0) {
        const float r = static_cast<float>(InkRed(ink));
        const float g = static_cast<float>(InkGreen(ink));
        const float b = static_cast<float>(InkBlue(ink));
        const float a = r * d[0] + g * d[1] + b * d[2];
        if (a <= 0 || r * r + g * g + b * b - a * a > ratio2 * a * a) out |= NotJudged;
      }
    }
  });
  return judged;
}

ChannelSolver::ChannelSolver(SearchState& s, const ChannelGrid& grid, const std::vector<ThoroughPoint>& seeds,
                             const std::vector<std::uint32_t>& judged)
    : s_(s), unit_(s.unit), fine_(s.unit.phases.size() > 1), ink_(judged) {
  makeChannels(grid);
  seed(grid, seeds);
}

bool ChannelSolver::firstPass() {
  bool changed = false;
  return channels_.empty() || pass(true, changed);
}

int ChannelSolver::presentCount() const {
  return static_cast<int>(
      std::count_if(channels_.begin(), channels_.end(), [](const Channel& c) { return c.present; }));
}

double ChannelSolver::totalMisfit() const {
  std::vector<std::uint32_t> model(ink_.size(), 0);
  for (const Channel& c : channels_) {
    if (!c.present) continue;
    const Placement p = PlacementOf(c.at);
    for (const TemplatePixel& t : unit_.phases[static_cast<std::size_t>(p.phase)].ink) {
      const int x = p.x + t.dx;
      const int y = p.y + t.dy;
      if (x < 0 || y < 0 || x >= s_.width || y >= s_.height) continue;
      std::uint32_t& m = model[pixel(x, y)];
      m = InkUnion(m, t.packed);
    }
  }
  double total = 0;
  for (std::size_t i = 0; i < ink_.size(); ++i) {
    const std::uint32_t v = ink_[i];
    if ((v & NotJudged) || (v == 0 && model[i] == 0)) continue;
    total += InkDistance(v, model[i]);
  }
  return total;
}

bool ChannelSolver::finish() {
  return channels_.empty() || finish(std::vector<char>(channels_.size(), 1));
}

bool ChannelSolver::finish(std::vector<char> todo) {
  for (int round = 1; round < MostPasses; ++round) {
    bool changed = false;
    if (!pass(false, changed, &todo)) return false;
    if (swaps()) changed = true;
    if (!changed) break;
    todo = nearMoved();
  }
  return true;
}

std::vector<char> ChannelSolver::nearMoved() const {
  std::vector<char> near(channels_.size(), 0);
  for (int c = 0; c < channels(); ++c) {
    if (!moved_[static_cast<std::size_t>(c)]) continue;
    for (int j = std::max(0, c - reach_); j <= std::min(channels() - 1, c + reach_); ++j)
      near[static_cast<std::size_t>(j)] = 1;
  }
  return near;
}

void ChannelSolver::refineGrid(ChannelGrid& grid) {
  if (!fine_) return;
  constexpr int Across = 2 * ColumnRefinement;
  std::vector<double> column(channels_.size(), std::nan(""));
  s_.lanes.each(channels(), [&](int c, int lane) {
    const Channel& ch = channels_[static_cast<std::size_t>(c)];
    if (!ch.present) return;
    Window& w = windows_[static_cast<std::size_t>(lane)];
    prepare(c, ch.at.y, ch.at.y, w, Across);
    std::array<float, 2 * Across + 1> gain{};
    for (int dx = -Across; dx <= Across; ++dx) {
      const Judged j = judge({ch.x + dx, ch.at.y}, w, std::nullopt);
      gain[static_cast<std::size_t>(dx + Across)] = j.valid ? j.gain : 1e30f;
    }
    const auto best = std::min_element(gain.begin() + 1, gain.end() - 1) - gain.begin();
    const float l = gain[static_cast<std::size_t>(best - 1)];
    const float m = gain[static_cast<std::size_t>(best)];
    const float r = gain[static_cast<std::size_t>(best + 1)];
    // The misfit, a sum of ink distances, rises like a V on both sides of
    // its least: the V through the three values has its point at `step`.
    const float rise = std::max(l - m, r - m);
    if (l >= 1e29f || r >= 1e29f || rise <= 0) return;
    const double step = 0.5 * (l - r) / rise;
    const double vertex = static_cast<double>(best - Across) + step;
    const Placement p = PlacementOf({ch.x, ch.at.y});
    const PhaseTemplate& phase = unit_.phases[static_cast<std::size_t>(p.phase)];
    column[static_cast<std::size_t>(c)] = (ch.x + vertex) / PhaseSteps + unit_.centreX + phase.centreErrorX;
  });
  // Least squares over the columns within a quarter of a spacing of the
  // grid, then again over those within a tenth of a spacing of that line.
  double spacing = grid.spacing;
  double offset = grid.offset;
  for (int round = 0; round < 2; ++round) {
    double n = 0, sk = 0, sx = 0, skk = 0, skx = 0;
    for (std::size_t c = 0; c < channels_.size(); ++c) {
      if (std::isnan(column[c])) continue;
      const double k = channels_[c].number;
      if (std::abs(column[c] - offset - k * spacing) > (round == 0 ? 0.25 : 0.1) * grid.spacing) continue;
      n += 1;
      sk += k;
      sx += column[c];
      skk += k * k;
      skx += k * column[c];
    }
    const double det = n * skk - sk * sk;
    if (n < 8 || det <= 0) return;
    spacing = (n * skx - sk * sx) / det;
    offset = (sx - spacing * sk) / n;
  }
  // Only a refinement: a grid that moved by more than a quarter of a spacing
  // anywhere is not trusted.
  const double firstShift = offset - grid.offset;
  const double lastShift = firstShift + (spacing - grid.spacing) * channels_.back().number;
  if (std::abs(firstShift) > 0.25 * grid.spacing || std::abs(lastShift) > 0.25 * grid.spacing) return;
  grid.spacing = spacing;
  grid.offset = offset;
  for (Channel& ch : channels_) {
    ch.column = offset + ch.number * spacing;
    const int x = roundedToPhases((ch.column - unit_.centreX) * PhaseSteps);
    ch.at.x += x - ch.x;
    ch.x = x;
  }
}

void ChannelSolver::collect(ChannelFitResult& out) const {
  out.channels = channels();
  out.points.clear();
  for (const Channel& c : channels_) {
    if (!c.present) continue;
    const Placement p = PlacementOf(c.at);
    const PhaseTemplate& phase = unit_.phases[static_cast<std::size_t>(p.phase)];
    out.points.push_back(
        {c.number, c.column, c.at.y / static_cast<double>(PhaseSteps) + unit_.centreY + phase.centreErrorY});
  }
}

std::size_t ChannelSolver::pixel(int x, int y) const {
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(s_.width) + static_cast<std::size_t>(x);
}

int ChannelSolver::roundedToPhases(double eighths) const {
  const long rounded = std::lround(eighths);
  if (fine_) return static_cast<int>(rounded);
  return static_cast<int>(std::lround(eighths / PhaseSteps)) * PhaseSteps;
}

void ChannelSolver::makeChannels(const ChannelGrid& grid) {
  const int first = static_cast<int>(std::ceil((-0.5 - grid.offset) / grid.spacing));
  for (int k = first;; ++k) {
    const double column = grid.offset + k * grid.spacing;
    if (column >= s_.width - 0.5) break;
    Channel c;
    c.number = k;
    c.column = column;
    c.x = roundedToPhases((column - unit_.centreX) * PhaseSteps);
    channels_.push_back(c);
  }
  // Channels whose templates may meet: a channel is fitted with these as given.
  reach_ = static_cast<int>(std::ceil((unit_.width + 4) / grid.spacing));
  block_ = reach_ + 1;
}

void ChannelSolver::seed(const ChannelGrid& grid, const std::vector<ThoroughPoint>& seeds) {
  if (channels_.empty()) return;
  const int first = channels_.front().number;
  for (const ThoroughPoint& p : seeds) {
    const double k = std::nearbyint((p.x - grid.offset) / grid.spacing);
    const int c = static_cast<int>(k) - first;
    if (c < 0 || c >= channels()) continue;
    Channel& ch = channels_[static_cast<std::size_t>(c)];
    if (std::abs(p.x - ch.column) > 0.35 * grid.spacing) continue;  // off the grid
    if (ch.seeded && ch.seedScore >= p.score) continue;
    ch.seeded = true;
    ch.seedScore = p.score;
    ch.present = true;
    ch.at = {ch.x, roundedToPhases((p.y - unit_.centreY) * PhaseSteps)};
  }
  seededLeft_.assign(channels_.size(), -1);
  seededRight_.assign(channels_.size(), -1);
  int last = -1;
  for (int c = 0; c < channels(); ++c) {
    if (channels_[static_cast<std::size_t>(c)].seeded) last = c;
    seededLeft_[static_cast<std::size_t>(c)] = last;
  }
  last = -1;
  for (int c = channels() - 1; c >= 0; --c) {
    if (channels_[static_cast<std::size_t>(c)].seeded) last = c;
    seededRight_[static_cast<std::size_t>(c)] = last;
  }
}

double ChannelSolver::between(int c, int left, int right) const {
  const Channel& l = channels_[static_cast<std::size_t>(left)];
  const Channel& r = channels_[static_cast<std::size_t>(right)];
  if (left == right) return l.at.y;
  const double t = static_cast<double>(c - left) / (right - left);
  return l.at.y + t * (r.at.y - l.at.y);
}

std::array<int, 2> ChannelSolver::presentNeighbours(int c) const {
  std::array<int, 2> found{-1, -1};
  for (int j = c - 1; j >= std::max(0, c - reach_); --j) {
    if (channels_[static_cast<std::size_t>(j)].present) {
      found[0] = j;
      break;
    }
  }
  for (int j = c + 1; j <= std::min(channels() - 1, c + reach_); ++j) {
    if (channels_[static_cast<std::size_t>(j)].present) {
      found[1] = j;
      break;
    }
  }
  return found;
}

void ChannelSolver::prepare(int c, int lo, int hi, Window& w, int across) const {
  const Channel& ch = channels_[static_cast<std::size_t>(c)];
  const int left = PlacementOf({ch.x - across, 0}).x - 1;
  const int right = PlacementOf({ch.x + across, 0}).x + unit_.width + 2;
  const int top = PlacementOf({0, lo}).y - 1;
  const int bottom = PlacementOf({0, hi}).y + unit_.height + 2;
  prepareBox({left, top, right, bottom}, c, c, w);
}

void ChannelSolver::prepareBox(const Rect& box, int a, int b, Window& w) const {
  const int left = box.Left;
  const int right = box.Right;
  const int top = box.Top;
  const int bottom = box.Bottom;
  w.model.reset(left, top, right - left, bottom - top);
  for (int j = std::max(0, std::min(a, b) - reach_); j <= std::min(channels() - 1, std::max(a, b) + reach_);
       ++j) {
    const Channel& other = channels_[static_cast<std::size_t>(j)];
    if (j == a || j == b || !other.present) continue;
    const Placement p = PlacementOf(other.at);
    w.model.add(unit_.phases[static_cast<std::size_t>(p.phase)], p.x, p.y);
  }
  const std::size_t n = w.model.ink.size();
  w.ink.resize(n);
  w.base.resize(n);
  std::size_t i = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x, ++i) {
      const bool off = x < 0 || y < 0 || x >= s_.width || y >= s_.height;
      const std::uint32_t v = off ? (NotJudged | OffPicture) : ink_[pixel(x, y)];
      w.ink[i] = v;
      w.base[i] = (v & NotJudged) ? 0.0f : InkDistance(v, w.model.ink[i]);
    }
  }
}

ChannelSolver::Judged ChannelSolver::judge(Position at, const Window& w,
                                           std::optional<double> suggested) const {
  Judged j;
  j.at = at;
  const Placement p = PlacementOf(at);
  const PhaseTemplate& phase = unit_.phases[static_cast<std::size_t>(p.phase)];
  const int x0 = p.x - w.model.left;
  const int y0 = p.y - w.model.top;
  for (const TemplatePixel& t : phase.ink) {
    const std::size_t i = static_cast<std::size_t>((y0 + t.dy) * w.model.width + x0 + t.dx);
    const std::uint32_t v = w.ink[i];
    if (v & OffPicture) continue;
    j.inside += t.length;
    if (v & NotJudged) continue;
    j.judged += t.length;
    const std::uint32_t m = w.model.ink[i];
    const std::uint32_t next = InkUnion(m, t.packed);
    if (next != m) j.gain += InkDistance(v, next) - w.base[i];
  }
  j.valid =
      j.inside >= s_.tuning.inside * phase.totalLength && j.judged >= s_.tuning.evidence * phase.totalLength;
  j.cost = j.gain;
  if (suggested) {
    const double away = (at.y - *suggested) / PhaseSteps;
    j.cost += static_cast<float>(Smoothness * phase.totalLength * away * away);
  }
  return j;
}

bool ChannelSolver::fit(int c, int lo, int hi, std::optional<double> suggested, bool flanked, Window& w) {
  Channel& ch = channels_[static_cast<std::size_t>(c)];
  if (!fine_) {
    // Whole pixels only: the template has no shifted phases.
    lo = FloorDiv(lo + PhaseSteps - 1, PhaseSteps) * PhaseSteps;
    hi = FloorDiv(hi, PhaseSteps) * PhaseSteps;
  }
  if (lo > hi) {
    const bool changed = ch.present;
    ch.present = false;
    return changed;
  }
  prepare(c, lo, hi, w);
  Judged best;
  const auto consider = [&](Position at) {
    if (at.y < lo || at.y > hi) return;
    const Judged j = judge(at, w, suggested);
    if (j.valid && (!best.valid || j.cost < best.cost)) best = j;
  };
  for (int y = lo; y <= hi; y += PhaseSteps) consider({ch.x, y});
  if (fine_ && best.valid) {
    const int y0 = best.at.y;
    for (int y = y0 - PhaseSteps + 1; y < y0 + PhaseSteps; ++y) consider({ch.x, y});
    const Position b = best.at;
    for (int dx = -ColumnRefinement; dx <= ColumnRefinement; ++dx) consider({ch.x + dx, b.y});
    const Position b2 = best.at;
    for (int dy = -2; dy <= 2; ++dy) consider({b2.x, b2.y + dy});
  }
  const bool present = best.valid && (best.gain <= -LeastGain * best.judged ||
                                      (flanked && best.gain <= HiddenSlack * best.judged));
  const bool changed = present != ch.present || (present && (best.at.x != ch.at.x || best.at.y != ch.at.y));
  ch.present = present;
  if (present) ch.at = best.at;
  return changed;
}

bool ChannelSolver::step(int c, bool first, Window& w) {
  const Channel& ch = channels_[static_cast<std::size_t>(c)];
  const int h = unit_.height;
  if (first) {
    if (ch.seeded) return false;
    // Between the seeds on either side, and near the channel just fitted.
    const int sl = seededLeft_[static_cast<std::size_t>(c)];
    const int sr = seededRight_[static_cast<std::size_t>(c)];
    if (sl < 0 && sr < 0) return false;
    const double a = channels_[static_cast<std::size_t>(sl >= 0 ? sl : sr)].at.y;
    const double b = channels_[static_cast<std::size_t>(sr >= 0 ? sr : sl)].at.y;
    double lo = std::min(a, b) - rows(h + 2);
    double hi = std::max(a, b) + rows(h + 2);
    std::optional<double> suggested = sl >= 0 && sr >= 0 ? between(c, sl, sr) : (sl >= 0 ? a : b);
    if (c > 0 && channels_[static_cast<std::size_t>(c - 1)].present) {
      const double y = channels_[static_cast<std::size_t>(c - 1)].at.y;
      lo = std::min(lo, y - rows(h + 2));
      hi = std::max(hi, y + rows(h + 2));
    }
    const std::array<int, 2> near = presentNeighbours(c);
    return fit(c, std::max(lowest(), static_cast<int>(std::floor(lo))),
               std::min(highest(), static_cast<int>(std::ceil(hi))), suggested, near[0] >= 0 && near[1] >= 0,
               w);
  }
  const std::array<int, 2> near = presentNeighbours(c);
  std::optional<double> suggested;
  if (near[0] >= 0 && near[1] >= 0) {
    suggested = between(c, near[0], near[1]);
  } else if (near[0] >= 0 || near[1] >= 0) {
    suggested = channels_[static_cast<std::size_t>(std::max(near[0], near[1]))].at.y;
  }
  double centre = 0;
  int half = 0;
  if (ch.present) {
    centre = ch.at.y;
    half = rows(h / 2 + 2);
  } else if (suggested) {
    centre = *suggested;
    half = rows(2 * (h + 2));  // a channel in a steep dip lies well off its neighbours
  } else {
    return false;
  }
  return fit(c, std::max(lowest(), static_cast<int>(std::floor(centre - half))),
             std::min(highest(), static_cast<int>(std::ceil(centre + half))), suggested,
             near[0] >= 0 && near[1] >= 0, w);
}

bool ChannelSolver::pass(bool first, bool& changed, const std::vector<char>* todo) {
  std::vector<char>& moved = moved_;
  moved.assign(channels_.size(), 0);
  const bool done = byBlocks(block_, [&](int c, Window& w) -> std::int64_t {
    if (todo != nullptr && !(*todo)[static_cast<std::size_t>(c)]) return 0;
    moved[static_cast<std::size_t>(c)] = step(c, first, w) ? 1 : 0;
    return static_cast<std::int64_t>(w.ink.size()) * 4;
  });
  changed = std::any_of(moved.begin(), moved.end(), [](char m) { return m != 0; });
  return done;
}

bool ChannelSolver::byBlocks(int block, const std::function<std::int64_t(int, Window&)>& work) {
  const int n = channels();
  const int blocks = (n + block - 1) / block;
  for (int parity = 0; parity < 2; ++parity) {
    const int count = (blocks - parity + 1) / 2;
    if (!s_.lanes.each(count, [&](int i, int lane) {
          const int b = 2 * i + parity;
          Window& w = windows_[static_cast<std::size_t>(lane)];
          std::int64_t units = 0;
          for (int c = b * block; c < std::min(n, (b + 1) * block); ++c) units += work(c, w);
          return s_.keepGoing(lane, units);
        }))
      return false;
  }
  return true;
}
