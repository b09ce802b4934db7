// Renders the data preview window into PNG files for a look by eye:
//   preview_shot <directory>
// writes <name>_<w>x<h>.png for a spectrum with the default axis ranges, the
// same points with both axes automatic, a reversed horizontal range and empty
// arrays, each at the designed size, a large size and a very small one.
// Run it with QT_QPA_PLATFORM=offscreen when there is no display.

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <cstdio>
#include <string>

#include "state/AppState.h"
#include "ui/AscIIForm.h"

namespace {

// Two absorption lines at -1 and +1 mm/s on a flat base of 1.
void FillDoublet(AppState& state) {
  state.VelocityArray.clear();
  state.CountsArray.clear();
  for (int i = 0; i <= 200; ++i) {
    const double v = -5.0 + i * 0.05;
    const double a = (v - 1.0) / 0.3;
    const double b = (v + 1.0) / 0.3;
    state.VelocityArray.push_back(v);
    state.CountsArray.push_back(1.0 - 0.05 / (1 + a * a) - 0.05 / (1 + b * b));
  }
  state.DataPointCount = static_cast<int>(state.VelocityArray.size());
}

void SetCaptions(AppState& state, double xMin, double xMax, double yMin, double yMax) {
  TGraphCaps& caps = state.PlotCaptions;
  caps.TitleLeft.clear();
  caps.TitleRight = "ASCII form of the data";
  caps.XCaption = "v [mm/s]";
  caps.YCaption = "Counts";
  caps.XMin = xMin;
  caps.XMax = xMax;
  caps.YMin = yMin;
  caps.YMax = yMax;
}

bool Shoot(AppState& state, const QString& directory, const QString& name) {
  const QSize sizes[] = {{392, 222}, {900, 600}, {120, 60}};
  TForm2 form(state);
  for (const QSize& size : sizes) {
    form.resize(size);
    const QString path = QDir(directory).filePath(
        QStringLiteral("%1_%2x%3.png").arg(name).arg(size.width()).arg(size.height()));
    if (!form.grab().toImage().save(path)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return false;
    }
    std::printf("%s\n", qPrintable(path));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: preview_shot <directory>\n");
    return 2;
  }
  const QString directory = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(directory);

  AppState state;
  bool ok = true;
  FillDoublet(state);
  SetCaptions(state, -5.0, 5.0, 0.90, 1.00);
  ok = ok && Shoot(state, directory, QStringLiteral("doublet"));
  SetCaptions(state, 0, 0, 0, 0);
  ok = ok && Shoot(state, directory, QStringLiteral("automatic"));
  SetCaptions(state, 5.0, -5.0, 0.90, 1.00);
  ok = ok && Shoot(state, directory, QStringLiteral("reversed"));
  state.VelocityArray.clear();
  state.CountsArray.clear();
  SetCaptions(state, -5.0, 5.0, 0.90, 1.00);
  ok = ok && Shoot(state, directory, QStringLiteral("empty"));
  return ok ? 0 : 1;
}
