#pragma once

#include <array>
#include <vector>

#include "state/Bitmap.h"
#include "threads/WorkLanes.h"

// The colour of the paper under a scanned plot, which need not be white nor
// even: per tile of about 64 x 64 pixels the most frequent value of each
// channel, smoothed with the median of the neighbouring tiles (so a tile
// filled by a symbol or a line takes its neighbours' paper), and interpolated
// linearly between tile centres. The noise floor is three times a robust
// spread of the pixels around the paper (their median distance from it);
// a clean plot on pure paper gets a floor of 0.
class PaperModel {
 public:
  static constexpr int TileSize = 64;

  explicit PaperModel(const Bitmap& picture, const WorkLanes& lanes = WorkLanes(false));
  // A model of one paper colour with no noise.
  PaperModel(int width, int height, std::array<float, 3> paper);

  // Paper channel values (red, green, blue) at pixel (x, y).
  std::array<float, 3> paperAt(int x, int y) const;
  // The paper of one picture row, channel-interleaved (r, g, b per pixel).
  void paperRow(int y, std::vector<float>& out) const;
  // The same, one array per channel.
  void paperRowByChannel(int y, std::array<std::vector<float>, 3>& out) const;
  // Whether the paper of row y is pure white everywhere.
  bool whiteRow(int y) const;
  // Differences from the paper up to this, per channel, are noise.
  const std::array<float, 3>& noiseFloor() const { return floor_; }
  // The median paper over all tiles.
  std::array<float, 3> typicalPaper() const;

 private:
  float tileValue(int channel, int tx, int ty) const {
    return tiles_[static_cast<std::size_t>(channel)][static_cast<std::size_t>(ty * tilesX_ + tx)];
  }
  void estimateNoise(const Bitmap& picture, const WorkLanes& lanes);
  // The most frequent value of each channel in the tiles of tile row `ty`.
  void tileModes(const Bitmap& picture, int ty, std::vector<int>& histograms,
                 std::array<std::vector<float>, 3>& modes) const;
  // Calls put(x, channel, value) for the paper of every pixel of row y.
  template <typename Put>
  void eachPaper(int y, Put&& put) const;
  // The two tile rows around picture row y and the weight of the second.
  void tileRowsOf(int y, int& first, int& second, float& weight) const;

  int width_ = 0;
  int height_ = 0;
  int tilesX_ = 1;
  int tilesY_ = 1;
  std::array<std::vector<float>, 3> tiles_;
  // Per picture column: the tile columns around it and the second's weight.
  std::vector<int> columnTile_;
  std::vector<float> columnWeight_;
  std::array<float, 3> floor_{0, 0, 0};
};
