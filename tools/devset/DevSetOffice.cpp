#include "devset/DevSetGroups.h"

namespace devset {

std::vector<PictureRecipe> OfficePictures() {
  return {};
}

}  // namespace devset
