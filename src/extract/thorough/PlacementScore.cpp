#include "extract/thorough/PlacementScore.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void ExplainedInk::reset(int boxLeft, int boxTop, int boxWidth, int boxHeight) {
  left = boxLeft;
  top = boxTop;
  width = std::max(0, boxWidth);
  height = std::max(0, boxHeight);
  ink.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

void ExplainedInk::add(const PhaseTemplate& phase, int x, int y) {
  for (const TemplatePixel& p : phase.ink) {
    const int i = x + p.dx - left;
    const int j = y + p.dy - top;
    if (i < 0 || j < 0 || i >= width || j >= height) continue;
    std::uint32_t& e = ink[static_cast<std::size_t>(j * width + i)];
    e = PackInk(std::max(InkRed(e), InkRed(p.packed)), std::max(InkGreen(e), InkGreen(p.packed)),
                std::max(InkBlue(e), InkBlue(p.packed)));
  }
}

PlacementScorer::PlacementScorer(const InkPicture& picture, const ThoroughTemplate& unit,
                                 const ThoroughTuning& tuning)
    : picture_(picture), unit_(unit), tuning_(tuning) {
  if (unit.empty()) return;
  const int w = unit.gridWidth();
  const int h = unit.gridHeight();
  gridSums_.assign(static_cast<std::size_t>((w + 1) * (h + 1)), 0.0f);
  for (const PhaseTemplate& phase : unit.phases) {
    PhaseLanes lanes;
    for (const TemplatePixel& p : phase.ink) {
      lanes.offset.push_back(p.dy * picture.width() + p.dx);
      lanes.dx.push_back(p.dx);
      lanes.dy.push_back(p.dy);
      lanes.length.push_back(p.length);
      lanes.dirRed.push_back(p.direction[0]);
      lanes.dirGreen.push_back(p.direction[1]);
      lanes.dirBlue.push_back(p.direction[2]);
      lanes.red.push_back(p.length * p.direction[0]);
      lanes.green.push_back(p.length * p.direction[1]);
      lanes.blue.push_back(p.length * p.direction[2]);
    }
    // Empty lanes to a multiple of four: no length, no colour, at the placement point.
    while (lanes.length.size() % 4 != 0) {
      lanes.offset.push_back(0);
      lanes.dx.push_back(0);
      lanes.dy.push_back(0);
      for (auto* v : {&lanes.length, &lanes.dirRed, &lanes.dirGreen, &lanes.dirBlue, &lanes.red, &lanes.green,
                      &lanes.blue})
        v->push_back(0);
    }
    float rest = 0;
    for (const float l : lanes.length) rest += l;
    lanes.after.resize(lanes.length.size() / 4);
    for (std::size_t i = 0; i < lanes.length.size(); i += 4) {
      rest -= lanes.length[i] + lanes.length[i + 1] + lanes.length[i + 2] + lanes.length[i + 3];
      lanes.after[i / 4] = std::max(0.0f, rest);
    }
    lanes_.push_back(std::move(lanes));
  }
  const std::vector<float>& grid = unit.phases[0].grid;
  for (int y = 0; y < h; ++y) {
    float row = 0;
    for (int x = 0; x < w; ++x) {
      row += grid[static_cast<std::size_t>(y * w + x)];
      gridSums_[static_cast<std::size_t>((y + 1) * (w + 1) + x + 1)] =
          gridSums_[static_cast<std::size_t>(y * (w + 1) + x + 1)] + row;
    }
  }
}

float PlacementScorer::insideLength(int x, int y) const {
  const int w = unit_.gridWidth();
  const int h = unit_.gridHeight();
  // Grid column i lies on picture column x - 1 + i.
  const int i0 = std::clamp(1 - x, 0, w);
  const int j0 = std::clamp(1 - y, 0, h);
  const int i1 = std::clamp(picture_.width() - x + 1, 0, w);
  const int j1 = std::clamp(picture_.height() - y + 1, 0, h);
  if (i0 >= i1 || j0 >= j1) return 0;
  const auto at = [&](int i, int j) { return gridSums_[static_cast<std::size_t>(j * (w + 1) + i)]; };
  return at(i1, j1) - at(i0, j1) - at(i1, j0) + at(i0, j0);
}

bool PlacementScorer::insideEnough(int x, int y) const {
  return insideLength(x, y) >= tuning_.inside * unit_.phases[0].totalLength;
}

float PlacementScorer::fill(const std::vector<TemplateOffset>& offsets, int x, int y,
                            const ExplainedInk* explained) const {
  const std::array<float, 3>& d = unit_.meanDirection;
  const float ratio2 = tuning_.otherColour * tuning_.otherColour;
  float sum = 0;
  int count = 0;
  for (const TemplateOffset& o : offsets) {
    const int px = x + o.dx;
    const int py = y + o.dy;
    if (px < 0 || py < 0 || px >= picture_.width() || py >= picture_.height()) continue;
    std::uint32_t ink = picture_.at(px, py);
    if (ink & InkPicture::Unjudged) continue;
    ++count;
    if (explained != nullptr && ink != 0) ink = LessExplained(ink, explained->at(px, py));
    if (ink == 0) continue;
    const float r = static_cast<float>(InkRed(ink));
    const float g = static_cast<float>(InkGreen(ink));
    const float b = static_cast<float>(InkBlue(ink));
    const float a = r * d[0] + g * d[1] + b * d[2];
    const float across2 = r * r + g * g + b * b - a * a;
    if (a <= 0 || across2 > ratio2 * a * a) continue;
    sum += std::max(0.0f, std::min(a, unit_.maxLength) - o.expected);
  }
  return count == 0 ? 0.0f : sum / (static_cast<float>(count) * unit_.maxLength);
}

float PlacementScorer::neighbourInk(int x, int y, const TemplatePixel& p,
                                    const ExplainedInk* explained) const {
  float best = 0;
  const int nx[4] = {x - 1, x + 1, x, x};
  const int ny[4] = {y, y, y - 1, y + 1};
  for (int k = 0; k < 4; ++k) {
    if (nx[k] < 0 || ny[k] < 0 || nx[k] >= picture_.width() || ny[k] >= picture_.height()) continue;
    std::uint32_t ink = picture_.at(nx[k], ny[k]);
    if (ink & InkPicture::Unjudged) continue;
    if (explained != nullptr) ink = LessExplained(ink, explained->at(nx[k], ny[k]));
    const float a = static_cast<float>(InkRed(ink)) * p.direction[0] +
                    static_cast<float>(InkGreen(ink)) * p.direction[1] +
                    static_cast<float>(InkBlue(ink)) * p.direction[2];
    best = std::max(best, a);
  }
  return best;
}

#if defined(__SSE2__)
PlacementScorer::Tally PlacementScorer::tallyInside(int x, int y, int phaseIndex,
                                                    const ExplainedInk* explained, float deficitLimit,
                                                    float otherLimit, float evidence) const {
  const float totalLength = unit_.phases[static_cast<std::size_t>(phaseIndex)].totalLength;
  const PhaseLanes& lanes = lanes_[static_cast<std::size_t>(phaseIndex)];
  const std::uint32_t* origin = picture_.row(y) + x;
  // The explained ink over the template's grid (which it covers).
  const std::uint32_t* explainedOrigin = nullptr;
  int explainedWidth = 0;
  if (explained != nullptr) {
    explainedOrigin = explained->ink.data() +
                      static_cast<std::ptrdiff_t>(y - explained->top) * explained->width +
                      (x - explained->left);
    explainedWidth = explained->width;
  }
  const __m128 ratio2 = _mm_set1_ps(tuning_.otherColour * tuning_.otherColour);
  const __m128 zeroF = _mm_setzero_ps();
  const __m128 coveredRatio2 = _mm_set1_ps(tuning_.coveredColour * tuning_.coveredColour);
  const __m128 slack = _mm_set1_ps(tuning_.coveredSlack);
  const __m128 tenth = _mm_set1_ps(0.1f);
  const __m128i byte = _mm_set1_epi32(0xFF);
  const __m128i colourBits = _mm_set1_epi32(0xFFFFFF);
  const __m128i unjudgedBit = _mm_set1_epi32(static_cast<int>(InkPicture::Unjudged));
  const __m128i ones = _mm_set1_epi32(-1);
  __m128 judged = zeroF, found = zeroF, mismatch = zeroF, unjudged = zeroF, others = zeroF, skipped = zeroF;
  const std::size_t n = lanes.length.size();
  for (std::size_t i = 0; i < n; i += 4) {
    const __m128i raw = _mm_set_epi32(
        static_cast<int>(origin[lanes.offset[i + 3]]), static_cast<int>(origin[lanes.offset[i + 2]]),
        static_cast<int>(origin[lanes.offset[i + 1]]), static_cast<int>(origin[lanes.offset[i]]));
    const __m128 length = _mm_loadu_ps(lanes.length.data() + i);
    const __m128 notJudged = _mm_castsi128_ps(_mm_cmpeq_epi32(_mm_and_si128(raw, unjudgedBit), unjudgedBit));
    __m128i ink = _mm_and_si128(raw, colourBits);
    __m128 unexplained = length;
    __m128 wantRed = _mm_loadu_ps(lanes.red.data() + i);
    __m128 wantGreen = _mm_loadu_ps(lanes.green.data() + i);
    __m128 wantBlue = _mm_loadu_ps(lanes.blue.data() + i);
    __m128 keep = _mm_castsi128_ps(ones);  // lanes that take part
    if (explainedOrigin != nullptr) {
      const auto e = [&](std::size_t k) {
        return static_cast<int>(explainedOrigin[lanes.dy[k] * explainedWidth + lanes.dx[k]]);
      };
      const __m128i ex = _mm_set_epi32(e(i + 3), e(i + 2), e(i + 1), e(i));
      const __m128 er = _mm_cvtepi32_ps(_mm_and_si128(ex, byte));
      const __m128 eg = _mm_cvtepi32_ps(_mm_and_si128(_mm_srli_epi32(ex, 8), byte));
      const __m128 eb = _mm_cvtepi32_ps(_mm_and_si128(_mm_srli_epi32(ex, 16), byte));
      const __m128 tr = _mm_max_ps(_mm_sub_ps(_mm_loadu_ps(lanes.red.data() + i), er), zeroF);
      const __m128 tg = _mm_max_ps(_mm_sub_ps(_mm_loadu_ps(lanes.green.data() + i), eg), zeroF);
      const __m128 tb = _mm_max_ps(_mm_sub_ps(_mm_loadu_ps(lanes.blue.data() + i), eb), zeroF);
      const __m128 left =
          _mm_sqrt_ps(_mm_add_ps(_mm_add_ps(_mm_mul_ps(tr, tr), _mm_mul_ps(tg, tg)), _mm_mul_ps(tb, tb)));
      const __m128 hasExplained =
          _mm_castsi128_ps(_mm_xor_si128(_mm_cmpeq_epi32(ex, _mm_setzero_si128()), ones));
      unexplained = _mm_or_ps(_mm_and_ps(hasExplained, left), _mm_andnot_ps(hasExplained, length));
      wantRed = _mm_or_ps(_mm_and_ps(hasExplained, tr), _mm_andnot_ps(hasExplained, wantRed));
      wantGreen = _mm_or_ps(_mm_and_ps(hasExplained, tg), _mm_andnot_ps(hasExplained, wantGreen));
      wantBlue = _mm_or_ps(_mm_and_ps(hasExplained, tb), _mm_andnot_ps(hasExplained, wantBlue));
      // Explained already: no evidence either way.
      const __m128 explainedAll = _mm_and_ps(hasExplained, _mm_cmplt_ps(left, _mm_mul_ps(tenth, length)));
      skipped = _mm_add_ps(skipped, _mm_and_ps(_mm_andnot_ps(notJudged, explainedAll), length));
      keep = _mm_andnot_ps(explainedAll, keep);
      ink = _mm_subs_epu8(ink, ex);
    }
    const __m128 r = _mm_cvtepi32_ps(_mm_and_si128(ink, byte));
    const __m128 g = _mm_cvtepi32_ps(_mm_and_si128(_mm_srli_epi32(ink, 8), byte));
    const __m128 b = _mm_cvtepi32_ps(_mm_and_si128(_mm_srli_epi32(ink, 16), byte));
    const __m128 a = _mm_add_ps(_mm_add_ps(_mm_mul_ps(r, _mm_loadu_ps(lanes.dirRed.data() + i)),
                                           _mm_mul_ps(g, _mm_loadu_ps(lanes.dirGreen.data() + i))),
                                _mm_mul_ps(b, _mm_loadu_ps(lanes.dirBlue.data() + i)));
    const __m128 n2 = _mm_add_ps(_mm_add_ps(_mm_mul_ps(r, r), _mm_mul_ps(g, g)), _mm_mul_ps(b, b));
    const __m128 across2 = _mm_max_ps(_mm_sub_ps(n2, _mm_mul_ps(a, a)), zeroF);
    const __m128 inked = _mm_castsi128_ps(_mm_xor_si128(_mm_cmpeq_epi32(ink, _mm_setzero_si128()), ones));
    const __m128 a2 = _mm_mul_ps(a, a);
    __m128 other =
        _mm_and_ps(inked, _mm_or_ps(_mm_cmple_ps(a, zeroF), _mm_cmpgt_ps(across2, _mm_mul_ps(ratio2, a2))));
    // Ink holding all of the template's and more of another colour: the
    // symbol under something else, no evidence either way.
    const __m128 tinted = _mm_andnot_ps(other, _mm_cmpgt_ps(across2, _mm_mul_ps(coveredRatio2, a2)));
    if (_mm_movemask_ps(_mm_and_ps(inked, tinted)) != 0) {
      const __m128 holds = _mm_and_ps(_mm_and_ps(_mm_cmpge_ps(_mm_add_ps(r, slack), wantRed),
                                                 _mm_cmpge_ps(_mm_add_ps(g, slack), wantGreen)),
                                      _mm_cmpge_ps(_mm_add_ps(b, slack), wantBlue));
      other = _mm_or_ps(other, _mm_and_ps(_mm_and_ps(inked, tinted), holds));
    }
    // Unjudged lanes count apart; the rest take part unless explained already.
    const __m128 judgedLane = _mm_andnot_ps(notJudged, keep);
    const __m128 take = _mm_andnot_ps(other, judgedLane);
    unjudged = _mm_add_ps(unjudged, _mm_and_ps(notJudged, length));
    others = _mm_add_ps(others, _mm_and_ps(_mm_and_ps(other, judgedLane), length));
    judged = _mm_add_ps(judged, _mm_and_ps(take, unexplained));
    found = _mm_add_ps(found, _mm_and_ps(take, _mm_min_ps(_mm_max_ps(a, zeroF), unexplained)));
    mismatch = _mm_add_ps(mismatch, _mm_and_ps(take, _mm_min_ps(_mm_sqrt_ps(across2), unexplained)));
    if ((i & 12) == 12) {
      float sums[4];
      _mm_storeu_ps(sums, _mm_add_ps(_mm_sub_ps(judged, found), mismatch));
      if (sums[0] + sums[1] + sums[2] + sums[3] > deficitLimit) return {0, 0, 0, 0, true};
      _mm_storeu_ps(sums, others);
      if (sums[0] + sums[1] + sums[2] + sums[3] > otherLimit) return {0, 0, 0, 0, true};
      // Too little judged even if all the rest were: the ink it explains
      // already leaves no evidence.
      const float left = lanes.after[i / 4];
      _mm_storeu_ps(sums, judged);
      const float judgedSoFar = sums[0] + sums[1] + sums[2] + sums[3];
      _mm_storeu_ps(sums, unjudged);
      const float unjudgedSoFar = sums[0] + sums[1] + sums[2] + sums[3];
      if (judgedSoFar + left < evidence * (totalLength - unjudgedSoFar - left)) return {0, 0, 0, 0, true};
    }
  }
  const auto sum = [](__m128 v) {
    float lanesOf[4];
    _mm_storeu_ps(lanesOf, v);
    return lanesOf[0] + lanesOf[1] + lanesOf[2] + lanesOf[3];
  };
  Tally tally{sum(judged), sum(found), sum(mismatch), sum(unjudged), false};
  tally.explained = sum(skipped);
  if (tally.judged - tally.found + tally.mismatch > deficitLimit || sum(others) > otherLimit)
    tally.failed = true;
  return tally;
}
#endif

float PlacementScorer::score(int x, int y, int phaseIndex, const ExplainedInk* explained, float floor,
                             Surround surround) const {
  const PhaseTemplate& phase = unit_.phases[static_cast<std::size_t>(phaseIndex)];
  const int width = picture_.width();
  const int height = picture_.height();
  const bool inside =
      x - 1 >= 0 && y - 1 >= 0 && x + unit_.width + 1 <= width && y + unit_.height + 1 <= height;
  float total = phase.totalLength;
  if (!inside) {
    total = 0;
    for (const TemplatePixel& p : phase.ink) {
      const int px = x + p.dx;
      const int py = y + p.dy;
      if (px >= 0 && py >= 0 && px < width && py < height) total += p.length;
    }
    if (total < tuning_.inside * phase.totalLength) return NoScore;
  }
  // The score can be no more than 1 - deficit / total.
  const float deficitLimit = floor > NoScore ? (1 - floor) * total : 3 * total + 1;
  const float ratio2 = tuning_.otherColour * tuning_.otherColour;
  const float coveredRatio2 = tuning_.coveredColour * tuning_.coveredColour;
  const float slack = tuning_.coveredSlack;
  float judged = 0;
  float found = 0;
  float mismatch = 0;
  float deficit = 0;
  float unjudged = 0;
  float explainedAll = 0;  // template ink the given detections explain in full
  // Ink of another colour beyond this leaves too little to judge.
  float others = 0;
  const float otherLimit = (1 - tuning_.evidence) * total;
  // Where other symbols explain most of the template, the rim they leave is
  // judged on its own.
  const float least =
      explained != nullptr && surround == Surround::Judged ? tuning_.rimEvidence : tuning_.evidence;
  // A two-level symbol's strokes come out a pixel wider or narrower at
  // different positions: ink found next to a template pixel counts in part.
  const bool tolerant = unit_.twoLevel;
  const float tolerance = tuning_.twoLevelTolerance;
#if defined(__SSE2__)
  const bool explainedCovers =
      explained == nullptr || (x - 1 >= explained->left && y - 1 >= explained->top &&
                               x + unit_.width + 1 <= explained->left + explained->width &&
                               y + unit_.height + 1 <= explained->top + explained->height);
  if (inside && !tolerant && explainedCovers) {
    const Tally tally = tallyInside(x, y, phaseIndex, explained, deficitLimit, otherLimit, least);
    if (tally.failed) return NoScore;
    judged = tally.judged;
    found = tally.found;
    mismatch = tally.mismatch;
    unjudged = tally.unjudged;
    explainedAll = tally.explained;
  } else
#endif
    for (const TemplatePixel& p : phase.ink) {
      const int px = x + p.dx;
      const int py = y + p.dy;
      if (!inside && (px < 0 || py < 0 || px >= width || py >= height)) continue;
      std::uint32_t ink = picture_.at(px, py);
      if (ink & InkPicture::Unjudged) {
        unjudged += p.length;
        continue;
      }
      float unexplained = p.length;
      std::array<float, 3> want{p.length * p.direction[0], p.length * p.direction[1],
                                p.length * p.direction[2]};
      if (explained != nullptr) {
        const std::uint32_t e = explained->at(px, py);
        if (e != 0) {
          const float tr = std::max(0.0f, want[0] - static_cast<float>(InkRed(e)));
          const float tg = std::max(0.0f, want[1] - static_cast<float>(InkGreen(e)));
          const float tb = std::max(0.0f, want[2] - static_cast<float>(InkBlue(e)));
          want = {tr, tg, tb};
          unexplained = std::sqrt(tr * tr + tg * tg + tb * tb);
          if (unexplained < 0.1f * p.length) {  // explained already: no evidence either way
            explainedAll += p.length;
            continue;
          }
          ink = LessExplained(ink, e);
        }
      }
      if (ink == 0) {
        const float f =
            tolerant && p.edge ? tolerance * std::min(neighbourInk(px, py, p, explained), unexplained) : 0.0f;
        judged += unexplained;
        found += f;
        deficit += unexplained - f;
        if (deficit > deficitLimit) return NoScore;
        continue;
      }
      const float r = static_cast<float>(InkRed(ink));
      const float g = static_cast<float>(InkGreen(ink));
      const float b = static_cast<float>(InkBlue(ink));
      const float a = r * p.direction[0] + g * p.direction[1] + b * p.direction[2];
      const float across2 = r * r + g * g + b * b - a * a;
      const bool covers = r + slack >= want[0] && g + slack >= want[1] && b + slack >= want[2] &&
                          across2 > coveredRatio2 * a * a;
      if (a <= 0 || across2 > ratio2 * a * a || covers) {  // another colour, or the symbol under it
        others += p.length;
        if (others > otherLimit) return NoScore;
        continue;
      }
      const float across = std::sqrt(std::max(0.0f, across2));
      float f = std::min(a, unexplained);
      if (tolerant && p.edge && f < unexplained) {
        f = std::max(f, tolerance * std::min(neighbourInk(px, py, p, explained), unexplained));
      }
      const float m = std::min(across, unexplained);
      judged += unexplained;
      found += f;
      mismatch += m;
      deficit += unexplained - f + m;
      if (deficit > deficitLimit) return NoScore;
    }
  if (judged < least * (total - unjudged) || judged <= 0) return NoScore;
  // Among others that explain the rest, a rim is enough; ink of another
  // colour over the symbol is no such excuse.
  if (judged < tuning_.evidence * (total - unjudged - explainedAll)) return NoScore;
  float s = (found - mismatch) / judged;
  if (!phase.hole.empty()) {
    const float allowance =
        surround == Surround::Judged ? tuning_.holeAllowance : tuning_.lenientHoleAllowance;
    s -= std::max(0.0f, fill(phase.hole, x, y, explained) - allowance) * tuning_.holeWeight;
  }
  if (surround != Surround::Ignored && !phase.surround.empty()) {
    const float allowance =
        surround == Surround::Judged ? tuning_.surroundAllowance : tuning_.lenientSurroundAllowance;
    s -= std::max(0.0f, fill(phase.surround, x, y, explained) - allowance) * tuning_.surroundWeight;
  }
  // A symbol cut by the picture's edge shows less to judge it by: a line
  // along the edge can look like a part of it.
  const float cut = tuning_.cutShare * phase.totalLength - total;
  if (cut > 0) s -= cut / phase.totalLength * tuning_.cutWeight;
  return s;
}
