// Prints how much faster one quorvix-cli call over 40 pictures of 1000 x 700
// is than 40 calls of one picture each, in both matching modes (target: at
// least 1.6 x). The pictures are a rendered office chart, each its own file.
//   batch_bench [--count N]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "devset/DevSet.h"
#include "image/BitmapFile.h"

namespace {

double SecondsOf(const std::string& command) {
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Quoted(const std::filesystem::path& p) {
  return "'" + p.string() + "'";
}

}  // namespace

int main(int argc, char** argv) {
  int count = 40;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--count") == 0) count = std::atoi(argv[i + 1]);
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "quorvix-batch-bench";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "out");
  devset::PictureRecipe recipe;
  for (const devset::PictureRecipe& r : devset::DevelopmentSet("office"))
    if (r.name == "office_green_triangles_large") recipe = r;
  const devset::DevPicture p = devset::RenderPicture(recipe);
  std::string error;
  std::string pictures;
  for (int k = 0; k < count; ++k) {
    const std::filesystem::path file = dir / ("chart" + std::to_string(k) + ".bmp");
    if (!SaveBitmapFile(file.string(), p.picture, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    pictures += " " + Quoted(file);
  }
  const std::string cli = Quoted(QUORVIX_CLI_PATH);
  const std::string unit = std::to_string(p.unit.Left) + "," + std::to_string(p.unit.Top) + "," +
                           std::to_string(p.unit.Right) + "," + std::to_string(p.unit.Bottom);
  std::printf("%d pictures of %d x %d\n", count, p.picture.width(), p.picture.height());
  for (const bool thorough : {false, true}) {
    const std::filesystem::path setup = dir / (thorough ? "thorough.qvsetup" : "default.qvsetup");
    SecondsOf(cli + " extract " + Quoted(dir / "chart0.bmp") + " --unit " + unit +
              (thorough ? " --thorough" : "") + " --save-setup " + Quoted(setup) +
              " -o /dev/null 2>/dev/null");
    double separate = 0;
    for (int k = 0; k < count; ++k) {
      separate += SecondsOf(cli + " extract --setup " + Quoted(setup) + " " +
                            Quoted(dir / ("chart" + std::to_string(k) + ".bmp")) + " -o " +
                            Quoted(dir / ("single" + std::to_string(k) + ".txt")) + " 2>/dev/null");
    }
    const double batch = SecondsOf(cli + " extract --setup " + Quoted(setup) + pictures + " -o " +
                                   Quoted(dir / "out") + " 2>/dev/null");
    std::printf("%-8s %d separate calls %7.3f s, one call %7.3f s: %.2f x (target >= 1.6 x)\n",
                thorough ? "thorough" : "default", count, separate, batch, separate / batch);
  }
  std::filesystem::remove_all(dir);
  return 0;
}
