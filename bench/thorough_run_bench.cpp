// Times whole "Create ASCII" runs in the main window, default mode and
// thorough mode, on rendered 3000 x 2000 scans (clean and tinted) and on a
// few development pictures: what the user waits for, repaints and status
// texts included. Runs on Qt's offscreen platform unless told otherwise.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "devset/DevSet.h"
#include "extract/UnitCapture.h"
#include "image/BitmapFile.h"
#include "ui/Application.h"
#include "ui/MainWindowUi.h"
#include "ui/QuorvixMain.h"

namespace {

double TimeRun(Application& app, const devset::DevPicture& p, bool thorough) {
  AppState& state = app.state();
  state.WorkImage = p.picture;
  state.BaseImage = p.picture;
  state.DiskImage = p.picture;
  CaptureUnitTemplate(state, app.ui(), p.unit);
  if (app.mainWindow().EditThorough->isChecked() != thorough) app.mainWindow().EditThorough->trigger();
  app.mainWindow().CreateBtn->setEnabled(true);
  QElapsedTimer timer;
  timer.start();
  app.mainWindow().CreateBtn->click();
  return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication qt(argc, argv);
  // The program's files go to a temporary directory.
  QTemporaryDir dir;
  Application app;
  app.start(dir.filePath("quorvix").toStdString());
  std::vector<devset::PictureRecipe> recipes = {devset::LargeRecipe(), devset::LargeTintedRecipe()};
  for (const char* name : {"clean_filled_circles", "tinted_lamp_noise", "everything"}) {
    for (const devset::PictureRecipe& s : devset::DevelopmentSet())
      if (s.name == name) recipes.push_back(s);
  }
  std::printf("%-26s %11s  %12s  %12s  %s\n", "picture", "size", "default", "thorough", "ratio");
  for (const devset::PictureRecipe& recipe : recipes) {
    const devset::DevPicture p = devset::RenderPicture(recipe);
    double best[2] = {1e9, 1e9};
    for (int run = 0; run < 3; ++run) {
      for (int mode = 0; mode < 2; ++mode) best[mode] = std::min(best[mode], TimeRun(app, p, mode == 1));
    }
    std::printf("%-26s %5d x %4d  %10.3f s  %10.3f s  %.2f\n", recipe.name.c_str(), p.picture.width(),
                p.picture.height(), best[0], best[1], best[1] / best[0]);
  }
  app.state().AsciiSaved = true;
  app.mainWindow().close();
  return 0;
}
