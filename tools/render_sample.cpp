// Renders a sample scan: a Moessbauer-like transmission spectrum (a sextet of
// Lorentzian dips with counting noise) plotted with round symbols, the
// picture cropped to the plot's axis box. Writes the picture, the true data
// points (the velocity and value that each symbol's centre pixel stands for)
// and the rectangle of one symbol to use as the unit.
//
//   render_sample OUT_DIR
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "image/BitmapFile.h"
#include "state/Bitmap.h"

namespace {

constexpr int Width = 961;  // 20 mm/s over 960 pixel steps
constexpr int Height = 401;
constexpr double Vmin = -10.0, Vmax = 10.0;
constexpr double Min = 0.82, Max = 1.02;
constexpr int Points = 120;
constexpr int Radius = 3;  // symbols 7 pixels across, 8 pixels apart
const Colour SymbolColour = MakeColour(25, 40, 150);

double Transmission(double v) {
  const double lines[6] = {-5.31, -3.08, -0.85, 0.85, 3.08, 5.31};
  const double depths[6] = {0.15, 0.10, 0.05, 0.05, 0.10, 0.15};
  constexpr double HalfWidth = 0.18;
  double t = 1.0;
  for (int i = 0; i < 6; ++i) t -= depths[i] / (1.0 + std::pow((v - lines[i]) / HalfWidth, 2.0));
  return t;
}

void FilledCircle(Bitmap& picture, int cx, int cy) {
  for (int y = cy - Radius; y <= cy + Radius; ++y)
    for (int x = cx - Radius; x <= cx + Radius; ++x) {
      const int dx = x - cx, dy = y - cy;
      if (dx * dx + dy * dy <= Radius * Radius + 1 && picture.contains(x, y))
        picture.setPixel(x, y, SymbolColour);
    }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: render_sample OUT_DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  Bitmap picture(Width, Height);
  std::mt19937 random(20261208);
  std::normal_distribution<double> noise(0.0, 0.004);

  std::FILE* truth = std::fopen((dir + "/sextet_truth.csv").c_str(), "wb");
  if (truth == nullptr) {
    std::fprintf(stderr, "cannot write to %s\n", dir.c_str());
    return 1;
  }
  std::fprintf(truth, "# velocity,value of every symbol centre; vmin %g vmax %g min %g max %g\n", Vmin, Vmax,
               Min, Max);
  int firstX = 0, firstY = 0;
  for (int i = 0; i < Points; ++i) {
    const double v = -9.9 + 19.8 * i / (Points - 1);
    const int cx = static_cast<int>(std::lround((v - Vmin) / (Vmax - Vmin) * (Width - 1)));
    const double t = Transmission(v) + noise(random);
    const int cy = static_cast<int>(std::lround((Max - t) / (Max - Min) * (Height - 1)));
    FilledCircle(picture, cx, cy);
    if (i == 0) firstX = cx, firstY = cy;
    const double trueV = Vmin + (Vmax - Vmin) * cx / (Width - 1);
    const double trueT = Min + (Max - Min) * (Height - 1 - cy) / (Height - 1);
    std::fprintf(truth, "%.6f,%.6f\n", trueV, trueT);
  }
  std::fclose(truth);

  std::string error;
  if (!SaveBitmapFile(dir + "/sextet.bmp", picture, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  // The unit rectangle: the first symbol with a margin of two pixels.
  std::FILE* unit = std::fopen((dir + "/sextet_unit.txt").c_str(), "wb");
  if (unit != nullptr) {
    std::fprintf(unit, "%d,%d,%d,%d\n", firstX - Radius - 2, firstY - Radius - 2, firstX + Radius + 2,
                 firstY + Radius + 2);
    std::fclose(unit);
  }
  std::printf("wrote %s/sextet.bmp (%d x %d, %d symbols)\n", dir.c_str(), Width, Height, Points);
  return 0;
}
