#pragma once

// What a long extraction pass asks while it runs: to let the windows handle
// their pending messages, and whether the user asked it to stop.
class RunMessages {
 public:
  virtual ~RunMessages() = default;

  // Lets the windows handle their pending messages (a stop can arrive here).
  virtual void handlePendingMessages() = 0;
  // The user asked the run to stop.
  virtual bool stopRequested() const = 0;
};

// What a symbol scan reports and asks while it runs. Every call comes from
// the thread that started the scan.
class ScanObserver : public RunMessages {
 public:
  // Row y (0-based) of a picture `height` rows high is about to be scanned.
  virtual void rowStarted(int y, int height) = 0;
  // An occurrence: picture column x2 and row y under the template column `anchor`
  // of the template's top row.
  virtual void pointFound(int x2, int y, int anchor) = 0;
  // The erased picture is worth showing (every twice the template height in rows).
  virtual void repaintDue() = 0;
};
