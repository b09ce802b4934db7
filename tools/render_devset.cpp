// Renders the development set of plot scans: for every picture a BMP file,
// the truth (true centre and ink centre of every target symbol, in pixel
// coordinates, whether finding it is optional and the share of its ink no
// other symbol covers) and the unit rectangle a user would drag around one
// symbol.
//
//   render_devset OUT_DIR [--group NAME] [--only NAME] [--large]
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "devset/DevSet.h"
#include "image/BitmapFile.h"

namespace {

bool Write(const std::string& dir, const devset::DevPicture& p) {
  std::string error;
  if (!SaveBitmapFile(dir + "/" + p.recipe.name + ".bmp", p.picture, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  std::FILE* truth = std::fopen((dir + "/" + p.recipe.name + "_truth.csv").c_str(), "wb");
  if (truth == nullptr) return false;
  std::fprintf(truth,
               "# x,y,ink_x,ink_y of every target symbol (pixel-index coordinates),optional (1: may be found "
               "or not),visible (share of its ink no other symbol covers)\n");
  for (const devset::TruthPoint& t : p.truth) {
    std::fprintf(truth, "%.4f,%.4f,%.4f,%.4f,%d,%.4f\n", t.x, t.y, t.inkX, t.inkY, t.optional ? 1 : 0,
                 t.visible);
  }
  std::fclose(truth);
  std::FILE* unit = std::fopen((dir + "/" + p.recipe.name + "_unit.txt").c_str(), "wb");
  if (unit == nullptr) return false;
  std::fprintf(unit, "%d,%d,%d,%d\n", p.unit.Left, p.unit.Top, p.unit.Right, p.unit.Bottom);
  std::fclose(unit);
  std::printf("%-30s %-7s %4d x %4d  %4zu symbols  overlap %.3f  unit %d,%d,%d,%d\n", p.recipe.name.c_str(),
              p.recipe.group.c_str(), p.picture.width(), p.picture.height(), p.truth.size(), p.overlap,
              p.unit.Left, p.unit.Top, p.unit.Right, p.unit.Bottom);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_devset OUT_DIR [--group NAME] [--only NAME] [--large]\n");
    return 2;
  }
  const std::string dir = argv[1];
  bool large = false;
  std::string group, only;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--large") == 0) {
      large = true;
    } else if (std::strcmp(argv[i], "--group") == 0 && i + 1 < argc) {
      group = argv[++i];
    } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
      only = argv[++i];
    } else {
      std::fprintf(stderr, "unknown argument %s\n", argv[i]);
      return 2;
    }
  }
  const std::vector<devset::PictureRecipe> recipes =
      group.empty() ? devset::DevelopmentSet() : devset::DevelopmentSet(group);
  if (recipes.empty()) {
    std::fprintf(stderr, "no group %s\n", group.c_str());
    return 2;
  }
  for (const devset::PictureRecipe& recipe : recipes) {
    if (!only.empty() && recipe.name != only) continue;
    if (!Write(dir, devset::RenderPicture(recipe))) return 1;
  }
  if (large) {
    for (const devset::PictureRecipe& recipe : {devset::LargeRecipe(), devset::LargeTintedRecipe(),
                                                devset::LargeDenseRecipe(), devset::LargeChannelsRecipe()}) {
      if (!Write(dir, devset::RenderPicture(recipe))) return 1;
    }
  }
  return 0;
}
