#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "extract/ScanObserver.h"

// One reported occurrence.
struct FoundPoint {
  int x2 = 0;
  int y = 0;
  int anchor = 0;
  friend bool operator==(const FoundPoint&, const FoundPoint&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const FoundPoint& p) {
  return out << "(" << p.x2 << ", " << p.y << ", " << p.anchor << ")";
}

// Records what a scan reports. `stopAfterMessages` > 0 raises the stop flag at
// that message handling, as an Esc key arriving then would.
class ScanRecorder : public ScanObserver {
 public:
  explicit ScanRecorder(int stopAfterMessages = 0) : stopAfterMessages_(stopAfterMessages) {}

  void rowStarted(int y, int height) override {
    events.push_back("row " + std::to_string(y) + "/" + std::to_string(height));
  }
  void pointFound(int x2, int y, int anchor) override {
    points.push_back({x2, y, anchor});
    events.push_back("point " + std::to_string(x2) + "," + std::to_string(y) + "," + std::to_string(anchor));
  }
  void repaintDue() override { events.push_back("repaint"); }
  void handlePendingMessages() override {
    ++messageRounds;
    if (stopAfterMessages_ > 0 && messageRounds >= stopAfterMessages_) stop = true;
  }
  bool stopRequested() const override { return stop; }

  std::vector<FoundPoint> points;
  std::vector<std::string> events;  // rows, points and repaints in order
  int messageRounds = 0;
  bool stop = false;

 private:
  int stopAfterMessages_;
};
