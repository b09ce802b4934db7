#pragma once

#include <vector>

#include "extract/thorough/DetectionIndex.h"
#include "extract/thorough/PlacementScore.h"
#include "extract/thorough/Positions.h"

// The symbols accepted so far, with an index of where they lie. A removed
// detection keeps its place in the list (ids stay valid) but leaves the index.
class Detections {
 public:
  Detections(int width, int height, const ThoroughTemplate& unit);

  int size() const { return static_cast<int>(list_.size()); }
  const Detection& operator[](int id) const { return list_[static_cast<std::size_t>(id)]; }
  Detection& operator[](int id) { return list_[static_cast<std::size_t>(id)]; }

  // Adds a detection and returns its id.
  int add(Position at, float score);
  void remove(int id);
  // Moves a live detection.
  void move(int id, Position to);

  // The template's box at a position, a pixel wider on every side (a phase
  // reaches that far).
  Rect boxOf(Position p) const;
  // The ids of the detections whose cells meet the box (their boxes may still miss it).
  void near(const Rect& box, std::vector<int>& out) const { index_.near(box, out); }
  // The ink of the live detections meeting `box`, except `skip`.
  void explainAround(const Rect& box, int skip, ExplainedInk& explained, std::vector<int>& near) const;
  // Whether a live detection among `near` lies within a pixel of `at`.
  bool sameAsAccepted(Position at, const std::vector<int>& near) const;

 private:
  const ThoroughTemplate& unit_;
  std::vector<Detection> list_;
  DetectionIndex index_;
};
