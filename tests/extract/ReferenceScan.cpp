#include "extract/ReferenceScan.h"

#include "extract/ScoreAt.h"

void ReferenceScanForSymbols(Bitmap& picture, const Bitmap& unit, const ScanParameters& parameters,
                             ScanObserver& observer) {
  if (unit.empty()) return;
  const int width = picture.width();
  const int height = picture.height();
  const long double threshold = static_cast<long double>(parameters.matchFraction) *
                                static_cast<long double>(parameters.templateWeight);
  for (int y = 0; y < height; ++y) {
    if (observer.stopRequested()) break;
    observer.rowStarted(y, height);
    for (int x = 0; x < width; ++x) {
      observer.handlePendingMessages();
      if (observer.stopRequested()) break;
      if (IsWhite(picture.pixel(x, y))) continue;
      ScoreResult found = ScoreAt(picture, unit, x, y, parameters.strict);
      if (threshold > static_cast<long double>(found.score)) continue;
      int x2 = x;
      while (x2 < width - 1) {
        const ScoreResult next = ScoreAt(picture, unit, x2 + 1, y, parameters.strict);
        if (next.score > found.score) {
          x2 = x2 + 1;
          found = next;
        } else {
          break;
        }
      }
      observer.pointFound(x2, y, found.anchor);
      for (int i = 0; i < unit.width(); ++i) {
        observer.handlePendingMessages();
        if (observer.stopRequested()) break;
        for (int j = 0; j < unit.height(); ++j) {
          const int px = x2 + i - found.anchor;
          const int py = y + j;
          if (!IsWhite(unit.pixel(i, j)) && picture.contains(px, py)) picture.setPixel(px, py, WhiteColour);
        }
      }
    }
    if (y % (2 * unit.height()) == 0) observer.repaintDue();
  }
}
