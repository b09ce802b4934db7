#pragma once

#include "extract/thorough/ThoroughSearch.h"

// For a thorough search of a small piece or a model of the picture that
// reports nothing and is never stopped.
class QuietObserver : public ThoroughObserver {
 public:
  void handlePendingMessages() override {}
  bool stopRequested() const override { return false; }
  void rowStarted(int, int) override {}
  void stageStarted(ThoroughStage) override {}
};
