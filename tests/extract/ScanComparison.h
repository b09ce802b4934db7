#pragma once

#include <string>
#include <vector>

#include "extract/ScanOptionSets.h"
#include "extract/ScanRecorder.h"
#include "extract/SymbolScan.h"
#include "state/Bitmap.h"

// What one scan left behind.
struct ScanOutcome {
  std::vector<FoundPoint> points;
  std::vector<std::string> events;  // rows, points and repaints in order
  Bitmap picture;                   // with the erasures
};

ScanOutcome RunReferenceScan(const Bitmap& picture, const Bitmap& unit, const ScanParameters& parameters);
ScanOutcome RunFastScan(const Bitmap& picture, const Bitmap& unit, const ScanParameters& parameters,
                        const ScanOptions& options);

// Runs the reference and every way of the fast scan, checks with gtest that
// they agree event for event and pixel for pixel, and returns the reference's outcome.
ScanOutcome ScanAndCompare(const Bitmap& picture, const Bitmap& unit, const ScanParameters& parameters);
