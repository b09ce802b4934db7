// Renders the development set of plot scans: for every picture a BMP file,
// the truth (true centre and ink centre of every target symbol, in pixel
// coordinates) and the unit rectangle a user would drag around one symbol.
//
//   render_devset OUT_DIR [--large]
#include <cstdio>
#include <string>

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
  std::fprintf(truth, "# x,y,ink_x,ink_y of every target symbol (pixel-index coordinates)\n");
  for (const devset::TruthPoint& t : p.truth)
    std::fprintf(truth, "%.4f,%.4f,%.4f,%.4f\n", t.x, t.y, t.inkX, t.inkY);
  std::fclose(truth);
  std::FILE* unit = std::fopen((dir + "/" + p.recipe.name + "_unit.txt").c_str(), "wb");
  if (unit == nullptr) return false;
  std::fprintf(unit, "%d,%d,%d,%d\n", p.unit.Left, p.unit.Top, p.unit.Right, p.unit.Bottom);
  std::fclose(unit);
  std::printf("%-28s %4d x %4d  %4zu symbols  unit %d,%d,%d,%d\n", p.recipe.name.c_str(), p.picture.width(),
              p.picture.height(), p.truth.size(), p.unit.Left, p.unit.Top, p.unit.Right, p.unit.Bottom);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_devset OUT_DIR [--large]\n");
    return 2;
  }
  const std::string dir = argv[1];
  const bool large = argc > 2 && std::string(argv[2]) == "--large";
  for (const devset::PictureRecipe& recipe : devset::DevelopmentSet()) {
    if (!Write(dir, devset::RenderPicture(recipe))) return 1;
  }
  if (large && !Write(dir, devset::RenderPicture(devset::LargeRecipe()))) return 1;
  return 0;
}
