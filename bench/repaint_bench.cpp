// Prints how long the main window's repaint takes for a 4000 x 3000 scan at
// the largest, the natural and the smallest zoom.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <vector>

#include "ui/Application.h"
#include "ui/MainView.h"
#include "ui/QuorvixMain.h"

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication qt(argc, argv);
  const auto dir = std::filesystem::temp_directory_path() / "quorvix-repaint-bench";
  std::filesystem::create_directories(dir);

  Application app;
  app.start((dir / "quorvix").string());
  AppState& state = app.state();
  state.WorkImage.setSize(4000, 3000);
  std::mt19937 random(7);
  for (int y = 0; y < 3000; ++y) {
    Colour* row = state.WorkImage.row(y);
    for (int x = 0; x < 4000; ++x) row[x] = (random() % 50 == 0) ? random() & 0xFFFFFFu : WhiteColour;
  }

  std::printf("repaint of a 4000 x 3000 picture in a %d x %d window\n", app.mainWindow().clientWidth(),
              app.mainWindow().clientHeight());
  for (const int zoom : {32, 1, -32}) {
    state.Zoom = zoom;
    std::vector<double> times;
    for (int i = 0; i < 21; ++i) {
      const auto start = std::chrono::steady_clock::now();
      app.view().FormPaint();
      times.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("zoom %3d: median %7.3f ms, worst %7.3f ms (target < 15 ms)\n", zoom, times[times.size() / 2],
                times.back());
  }
  state.AsciiSaved = true;
  app.mainWindow().close();
  std::filesystem::remove_all(dir);
  return 0;
}
