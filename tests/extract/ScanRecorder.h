#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "state/ScanObserver.h"

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

// Records what a scan reports. It can raise the stop flag at a message
// handling, as an Esc key arriving then would: the stopAfterMessages-th one,
// or the stopAtMessage-th one after the stopAfterPoint-th point.
class ScanRecorder : public ScanObserver {
 public:
  explicit ScanRecorder(int stopAfterMessages = 0) : stopAfterMessages_(stopAfterMessages) {}
  ScanRecorder(int stopAfterPoint, int stopAtMessage)
      : stopAfterPoint_(stopAfterPoint), stopAtMessage_(stopAtMessage) {}

  void rowStarted(int y, int height) override {
    events.push_back("row " + std::to_string(y) + "/" + std::to_string(height));
  }
  void pointFound(int x2, int y, int anchor) override {
    points.push_back({x2, y, anchor});
    if (static_cast<int>(points.size()) == stopAfterPoint_) messagesSincePoint_ = 0;
    events.push_back("point " + std::to_string(x2) + "," + std::to_string(y) + "," + std::to_string(anchor));
  }
  void repaintDue() override { events.push_back("repaint"); }
  void handlePendingMessages() override {
    ++messageRounds;
    if (stopAfterMessages_ > 0 && messageRounds >= stopAfterMessages_) stop = true;
    if (messagesSincePoint_ >= 0 && ++messagesSincePoint_ == stopAtMessage_) stop = true;
  }
  bool stopRequested() const override { return stop; }

  std::vector<FoundPoint> points;
  std::vector<std::string> events;  // rows, points and repaints in order
  int messageRounds = 0;
  bool stop = false;

 private:
  int stopAfterMessages_ = 0;
  int stopAfterPoint_ = 0;
  int stopAtMessage_ = 0;
  int messagesSincePoint_ = -1;
};
