#include "extract/thorough/PaperModel.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int ChannelShift[3] = {0, 8, 16};  // red, green, blue in 0x00BBGGRR

int ChannelOf(Colour c, int channel) {
  return static_cast<int>((c >> ChannelShift[channel]) & 0xFFu);
}

// The most frequent value of a histogram, after smoothing it a little so
// that noise does not split the peak; refined between bins.
float HistogramMode(const int* histogram) {
  int best = 255;
  long bestCount = -1;
  long smoothed[256];
  for (int v = 0; v < 256; ++v) {
    long sum = 2L * histogram[v];
    if (v > 0) sum += histogram[v - 1];
    if (v < 255) sum += histogram[v + 1];
    smoothed[v] = sum;
  }
  // On equal counts the lighter value wins: paper is the light part.
  for (int v = 255; v >= 0; --v) {
    if (smoothed[v] > bestCount) {
      bestCount = smoothed[v];
      best = v;
    }
  }
  if (best == 0 || best == 255) return static_cast<float>(best);
  const double left = static_cast<double>(smoothed[best - 1]);
  const double centre = static_cast<double>(smoothed[best]);
  const double right = static_cast<double>(smoothed[best + 1]);
  const double curve = left - 2 * centre + right;
  const double offset = curve < 0 ? 0.5 * (left - right) / curve : 0.0;
  return static_cast<float>(best + std::clamp(offset, -0.5, 0.5));
}

float Median(std::vector<float>& values) {
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

}  // namespace

PaperModel::PaperModel(int width, int height, std::array<float, 3> paper) : width_(width), height_(height) {
  for (int c = 0; c < 3; ++c)
    tiles_[static_cast<std::size_t>(c)].assign(1, paper[static_cast<std::size_t>(c)]);
}

PaperModel::PaperModel(const Bitmap& picture, const WorkLanes& lanes)
    : width_(picture.width()), height_(picture.height()) {
  tilesX_ = std::max(1, (width_ + TileSize / 2) / TileSize);
  tilesY_ = std::max(1, (height_ + TileSize / 2) / TileSize);
  const double tileWidth = static_cast<double>(width_) / tilesX_;
  for (int x = 0; x < width_; ++x) {
    const double fx = std::clamp((x + 0.5) / tileWidth - 0.5, 0.0, static_cast<double>(tilesX_ - 1));
    const int tx = std::min(static_cast<int>(fx), tilesX_ - 1);
    columnTile_.push_back(tx);
    columnWeight_.push_back(static_cast<float>(fx - tx));
  }
  const std::size_t tileCount = static_cast<std::size_t>(tilesX_) * static_cast<std::size_t>(tilesY_);
  std::array<std::vector<float>, 3> modes;
  for (auto& m : modes) m.assign(tileCount, 255.0f);

  std::array<std::vector<int>, WorkLanes::Count> histograms;
  for (auto& h : histograms) h.resize(static_cast<std::size_t>(tilesX_) * 3 * 256);
  lanes.each(tilesY_, [&](int ty, int lane) {
    tileModes(picture, ty, histograms[static_cast<std::size_t>(lane)], modes);
  });

  // Median of each tile's 3 x 3 neighbourhood.
  std::vector<float> near;
  for (int c = 0; c < 3; ++c) {
    auto& out = tiles_[static_cast<std::size_t>(c)];
    out.assign(tileCount, 255.0f);
    for (int ty = 0; ty < tilesY_; ++ty) {
      for (int tx = 0; tx < tilesX_; ++tx) {
        near.clear();
        for (int ny = std::max(0, ty - 1); ny <= std::min(tilesY_ - 1, ty + 1); ++ny) {
          for (int nx = std::max(0, tx - 1); nx <= std::min(tilesX_ - 1, tx + 1); ++nx) {
            near.push_back(modes[static_cast<std::size_t>(c)][static_cast<std::size_t>(ny * tilesX_ + nx)]);
          }
        }
        out[static_cast<std::size_t>(ty * tilesX_ + tx)] = Median(near);
      }
    }
  }
  estimateNoise(picture, lanes);
}

void PaperModel::tileModes(const Bitmap& picture, int ty, std::vector<int>& histograms,
                           std::array<std::vector<float>, 3>& modes) const {
  const int y0 = ty * height_ / tilesY_;
  const int y1 = (ty + 1) * height_ / tilesY_;
  std::fill(histograms.begin(), histograms.end(), 0);
  // Every second pixel of every second row is plenty for the mode.
  for (int y = y0; y < y1; y += 2) {
    const Colour* row = picture.row(y);
    for (int tx = 0; tx < tilesX_; ++tx) {
      int* h = histograms.data() + static_cast<std::size_t>(tx) * 3 * 256;
      const int x1 = (tx + 1) * width_ / tilesX_;
      for (int x = tx * width_ / tilesX_; x < x1; x += 2) {
        const Colour c = row[x];
        ++h[c & 0xFFu];
        ++h[256 + ((c >> 8) & 0xFFu)];
        ++h[512 + ((c >> 16) & 0xFFu)];
      }
    }
  }
  for (int tx = 0; tx < tilesX_; ++tx) {
    for (int c = 0; c < 3; ++c) {
      modes[static_cast<std::size_t>(c)][static_cast<std::size_t>(ty * tilesX_ + tx)] = HistogramMode(
          histograms.data() + (static_cast<std::size_t>(tx) * 3 + static_cast<std::size_t>(c)) * 256);
    }
  }
}

void PaperModel::tileRowsOf(int y, int& first, int& second, float& weight) const {
  // Tile centres lie at the middle of each tile; beyond the outer centres
  // their value holds.
  const double tileHeight = static_cast<double>(height_) / tilesY_;
  const double fy = std::clamp((y + 0.5) / tileHeight - 0.5, 0.0, static_cast<double>(tilesY_ - 1));
  first = std::min(static_cast<int>(fy), tilesY_ - 1);
  second = std::min(first + 1, tilesY_ - 1);
  weight = static_cast<float>(fy - first);
}

bool PaperModel::whiteRow(int y) const {
  int first = 0, second = 0;
  float weight = 0;
  tileRowsOf(y, first, second, weight);
  for (int c = 0; c < 3; ++c) {
    for (int tx = 0; tx < tilesX_; ++tx) {
      if (tileValue(c, tx, first) < 255.0f || tileValue(c, tx, second) < 255.0f) return false;
    }
  }
  return true;
}

template <typename Put>
void PaperModel::eachPaper(int y, Put&& put) const {
  int first = 0, second = 0;
  float wy = 0;
  tileRowsOf(y, first, second, wy);
  float column[3][2] = {};  // set at the first column: its tile is never -1
  int columnTile = -1;
  for (int x = 0; x < width_; ++x) {
    const int tx = columnTile_[static_cast<std::size_t>(x)];
    if (tx != columnTile) {
      columnTile = tx;
      const int tx2 = std::min(tx + 1, tilesX_ - 1);
      for (int c = 0; c < 3; ++c) {
        column[c][0] = tileValue(c, tx, first) * (1 - wy) + tileValue(c, tx, second) * wy;
        column[c][1] = tileValue(c, tx2, first) * (1 - wy) + tileValue(c, tx2, second) * wy;
      }
    }
    const float wx = columnWeight_[static_cast<std::size_t>(x)];
    for (int c = 0; c < 3; ++c) put(x, c, column[c][0] * (1 - wx) + column[c][1] * wx);
  }
}

void PaperModel::paperRow(int y, std::vector<float>& out) const {
  out.resize(static_cast<std::size_t>(width_) * 3);
  eachPaper(y, [&](int x, int c, float v) { out[static_cast<std::size_t>(x * 3 + c)] = v; });
}

void PaperModel::paperRowByChannel(int y, std::array<std::vector<float>, 3>& out) const {
  for (auto& channel : out) channel.resize(static_cast<std::size_t>(width_));
  eachPaper(
      y, [&](int x, int c, float v) { out[static_cast<std::size_t>(c)][static_cast<std::size_t>(x)] = v; });
}

std::array<float, 3> PaperModel::paperAt(int x, int y) const {
  if (width_ <= 0 || height_ <= 0) return {255, 255, 255};
  std::vector<float> row;
  paperRow(std::clamp(y, 0, height_ - 1), row);
  const std::size_t i = static_cast<std::size_t>(std::clamp(x, 0, width_ - 1)) * 3;
  return {row[i], row[i + 1], row[i + 2]};
}

std::array<float, 3> PaperModel::typicalPaper() const {
  std::array<float, 3> paper{};
  for (int c = 0; c < 3; ++c) {
    std::vector<float> values = tiles_[static_cast<std::size_t>(c)];
    paper[static_cast<std::size_t>(c)] = values.empty() ? 255.0f : Median(values);
  }
  return paper;
}

void PaperModel::estimateNoise(const Bitmap& picture, const WorkLanes& lanes) {
  // Distances from the paper in quarter steps, up to a limit beyond which a
  // pixel is ink rather than noise; every second pixel of every fourth row
  // is enough.
  constexpr int Steps = 4;
  constexpr int Limit = 32 * Steps;
  struct Tally {
    std::array<std::vector<long>, 3> histograms;
    std::array<long, 3> counts{0, 0, 0};
  };
  std::array<Tally, WorkLanes::Count> lanesTally;
  std::array<std::vector<float>, WorkLanes::Count> paperRows;
  for (Tally& t : lanesTally) {
    for (auto& h : t.histograms) h.assign(Limit, 0);
  }
  lanes.each((height_ + 3) / 4, [&](int k, int lane) {
    Tally& tally = lanesTally[static_cast<std::size_t>(lane)];
    std::vector<float>& paper = paperRows[static_cast<std::size_t>(lane)];
    const int y = 4 * k;
    paperRow(y, paper);
    const Colour* row = picture.row(y);
    for (int x = 0; x < width_; x += 2) {
      for (int c = 0; c < 3; ++c) {
        const float d =
            std::abs(static_cast<float>(ChannelOf(row[x], c)) - paper[static_cast<std::size_t>(x * 3 + c)]);
        const int bin = static_cast<int>(d * Steps);
        if (bin < Limit) {
          ++tally.histograms[static_cast<std::size_t>(c)][static_cast<std::size_t>(bin)];
          ++tally.counts[static_cast<std::size_t>(c)];
        }
      }
    }
  });
  std::array<std::vector<long>, 3> histograms;
  std::array<long, 3> counts{0, 0, 0};
  for (int c = 0; c < 3; ++c) {
    const std::size_t k = static_cast<std::size_t>(c);
    histograms[k].assign(Limit, 0);
    for (const Tally& t : lanesTally) {
      for (int b = 0; b < Limit; ++b)
        histograms[k][static_cast<std::size_t>(b)] += t.histograms[k][static_cast<std::size_t>(b)];
      counts[k] += t.counts[k];
    }
  }
  for (int c = 0; c < 3; ++c) {
    const auto& h = histograms[static_cast<std::size_t>(c)];
    long seen = 0;
    int bin = 0;
    for (; bin < Limit; ++bin) {
      seen += h[static_cast<std::size_t>(bin)];
      if (2 * seen >= counts[static_cast<std::size_t>(c)]) break;
    }
    // The median absolute distance of normal noise is 0.674 sigma.
    const float median = static_cast<float>(bin) / Steps;
    const float sigma = median / 0.674f;
    floor_[static_cast<std::size_t>(c)] = 3 * sigma;
  }
}
