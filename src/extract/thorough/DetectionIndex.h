#pragma once

#include <algorithm>
#include <vector>

#include "state/Rect.h"

// Ids of boxes (detections) by the cells of a coarse grid over the picture,
// for finding the ones near a place.
class DetectionIndex {
 public:
  DetectionIndex(int width, int height, int cell)
      : cell_(std::max(cell, 1)),
        columns_((std::max(width, 1) + cell_ - 1) / cell_ + 1),
        rows_((std::max(height, 1) + cell_ - 1) / cell_ + 1),
        cells_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_)) {}

  void add(int id, const Rect& box) {
    forCells(box, [&](std::vector<int>& c) { c.push_back(id); });
  }
  void remove(int id, const Rect& box) {
    forCells(box, [&](std::vector<int>& c) { c.erase(std::remove(c.begin(), c.end(), id), c.end()); });
  }
  // The ids in the cells the box meets, each once, in increasing order. The
  // boxes themselves may still miss it.
  void near(const Rect& box, std::vector<int>& out) const {
    out.clear();
    forCells(box, [&](const std::vector<int>& c) { out.insert(out.end(), c.begin(), c.end()); });
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
  }

 private:
  template <typename F>
  void forCells(const Rect& box, F&& f) {
    cellRange(box, [&](std::size_t cell) { f(cells_[cell]); });
  }
  template <typename F>
  void forCells(const Rect& box, F&& f) const {
    cellRange(box, [&](std::size_t cell) { f(cells_[cell]); });
  }
  template <typename F>
  void cellRange(const Rect& box, F&& f) const {
    const int c0 = std::clamp(FloorDiv(box.Left, cell_), 0, columns_ - 1);
    const int c1 = std::clamp(FloorDiv(box.Right - 1, cell_), 0, columns_ - 1);
    const int r0 = std::clamp(FloorDiv(box.Top, cell_), 0, rows_ - 1);
    const int r1 = std::clamp(FloorDiv(box.Bottom - 1, cell_), 0, rows_ - 1);
    for (int r = r0; r <= r1; ++r) {
      for (int c = c0; c <= c1; ++c) f(static_cast<std::size_t>(r * columns_ + c));
    }
  }
  static int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

  int cell_;
  int columns_;
  int rows_;
  std::vector<std::vector<int>> cells_;
};

inline bool BoxesMeet(const Rect& a, const Rect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}
