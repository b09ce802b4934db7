#include "extract/thorough/SearchState.h"

SearchState::SearchState(const Bitmap& picture, const Bitmap& unitPicture, ThoroughObserver& searchObserver,
                         const ThoroughOptions& searchOptions)
    : observer(searchObserver),
      options(searchOptions),
      tuning(searchOptions.tuning),
      lanes(searchOptions.useWorkerThread),
      width(picture.width()),
      height(picture.height()),
      paper(picture, lanes),
      ink(picture, paper, lanes),
      unit(BuildThoroughTemplate(unitPicture, paper, LocateUnit(picture, unitPicture))),
      scorer(std::make_unique<PlacementScorer>(ink, unit, tuning)),
      pacer(searchObserver, searchOptions.messageInterval, searchOptions.workUnitsPerClockRead),
      detections(width, height, unit) {}

void SearchState::setTemplate(ThoroughTemplate cleaned) {
  unit = std::move(cleaned);
  scorer = std::make_unique<PlacementScorer>(ink, unit, tuning);
}
