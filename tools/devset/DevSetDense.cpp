#include "devset/DevSetGroups.h"

namespace devset {

std::vector<PictureRecipe> DensePictures() {
  return {};
}

}  // namespace devset
