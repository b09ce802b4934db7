#include "devset/DevSetGroups.h"

namespace devset {

std::vector<PictureRecipe> TextPictures() {
  return {};
}

std::vector<PictureRecipe> JpegPictures() {
  return {};
}

}  // namespace devset
