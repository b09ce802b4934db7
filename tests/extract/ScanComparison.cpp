#include "extract/ScanComparison.h"

#include <gtest/gtest.h>

#include "extract/ReferenceScan.h"

namespace {

ScanOutcome Collect(ScanRecorder& recorder, Bitmap picture) {
  return {recorder.points, recorder.events, std::move(picture)};
}

}  // namespace

ScanOutcome RunReferenceScan(const Bitmap& picture, const Bitmap& unit, const ScanParameters& parameters) {
  Bitmap work = picture;
  ScanRecorder recorder;
  ReferenceScanForSymbols(work, unit, parameters, recorder);
  return Collect(recorder, std::move(work));
}

ScanOutcome RunFastScan(const Bitmap& picture, const Bitmap& unit, const ScanParameters& parameters,
                        const ScanOptions& options) {
  Bitmap work = picture;
  ScanRecorder recorder;
  ScanForSymbols(work, unit, parameters, recorder, options);
  return Collect(recorder, std::move(work));
}

ScanOutcome ScanAndCompare(const Bitmap& picture, const Bitmap& unit, const ScanParameters& parameters) {
  ScanOutcome expected = RunReferenceScan(picture, unit, parameters);
  const std::vector<ScanOptions> sets = EveryScanOptionSet();
  for (std::size_t k = 0; k < sets.size(); ++k) {
    SCOPED_TRACE("fast scan option set " + std::to_string(k));
    const ScanOutcome actual = RunFastScan(picture, unit, parameters, sets[k]);
    EXPECT_EQ(actual.events, expected.events);
    EXPECT_TRUE(actual.picture == expected.picture);
  }
  return expected;
}
