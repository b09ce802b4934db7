#include "devset/DevSetGroups.h"

namespace devset {

std::vector<PictureRecipe> ScatterPictures() {
  return {};
}

}  // namespace devset
