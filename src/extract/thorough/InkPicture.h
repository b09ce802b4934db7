#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "extract/thorough/PaperModel.h"
#include "state/Bitmap.h"
#include "threads/WorkLanes.h"

// Ink measured against the paper: per channel the share of the paper's light
// that the pixel lacks, 0 (paper) to 255 (black), zero within the noise
// floor. On pure white paper this is 255 minus the channel value. Kept
// packed as 0x00BBGGRR; the length of an ink vector (rounded up) is what box
// sums add up.
//
// The frame of the plot's axis box, when the picture shows it along its
// edges, is marked Unjudged: a symbol cut by the edge is judged by what it
// shows besides the frame, and the frame itself is no symbol's evidence.
class InkPicture {
 public:
  static constexpr std::uint32_t Unjudged = 1u << 24;

  InkPicture(const Bitmap& picture, const PaperModel& paper, const WorkLanes& lanes = WorkLanes(false));

  int width() const { return width_; }
  int height() const { return height_; }
  std::uint32_t at(int x, int y) const { return ink_[index(x, y)]; }
  const std::uint32_t* row(int y) const { return ink_.data() + index(0, y); }
  // Sum of the ink lengths over the box left <= x < right, top <= y < bottom
  // (clipped to the picture).
  std::uint32_t boxSum(int left, int top, int right, int bottom) const;
  // The ink lengths of every column summed over rows top .. bottom - 1
  // (clipped to the picture) into out[0 .. width - 1].
  void columnSums(int top, int bottom, std::vector<std::uint32_t>& out) const;
  // Adds row y's ink lengths to (or takes them from) such column sums; rows
  // off the picture change nothing.
  void addRow(int y, std::vector<std::uint32_t>& sums) const;
  void takeRow(int y, std::vector<std::uint32_t>& sums) const;

 private:
  void markFrame();
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
  }

  int width_;
  int height_;
  std::vector<std::uint32_t> ink_;
};

// Channel inks of a packed ink value.
inline int InkRed(std::uint32_t ink) {
  return static_cast<int>(ink & 0xFFu);
}
inline int InkGreen(std::uint32_t ink) {
  return static_cast<int>((ink >> 8) & 0xFFu);
}
inline int InkBlue(std::uint32_t ink) {
  return static_cast<int>((ink >> 16) & 0xFFu);
}
inline std::uint32_t PackInk(int r, int g, int b) {
  return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
         (static_cast<std::uint32_t>(b) << 16);
}

// Ink less what explains it, channel by channel (none below zero).
inline std::uint32_t LessExplained(std::uint32_t ink, std::uint32_t explained) {
  return PackInk(std::max(0, InkRed(ink) - InkRed(explained)),
                 std::max(0, InkGreen(ink) - InkGreen(explained)),
                 std::max(0, InkBlue(ink) - InkBlue(explained)));
}

// The channel-wise maximum of two inks: what two overlapping symbols leave.
inline std::uint32_t InkUnion(std::uint32_t a, std::uint32_t b) {
  return PackInk(std::max(InkRed(a), InkRed(b)), std::max(InkGreen(a), InkGreen(b)),
                 std::max(InkBlue(a), InkBlue(b)));
}

// The length of the difference of two inks.
inline float InkDistance(std::uint32_t a, std::uint32_t b) {
  const float r = static_cast<float>(InkRed(a) - InkRed(b));
  const float g = static_cast<float>(InkGreen(a) - InkGreen(b));
  const float bl = static_cast<float>(InkBlue(a) - InkBlue(b));
  return std::sqrt(r * r + g * g + bl * bl);
}

// The ink of one colour against a paper colour with a noise floor.
std::uint32_t InkAgainstPaper(Colour colour, const float* paper, const std::array<float, 3>& floor);
