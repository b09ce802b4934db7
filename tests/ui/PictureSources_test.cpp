#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>
#include <QtTest>
#include <filesystem>

#include "image/FileCommands.h"
#include "image/PictureFormats.h"
#include "state/Viewport.h"
#include "support/TestPdf.h"
#include "support/WindowTest.h"
#include "ui/Dialogs.h"
#include "ui/PictureArea.h"
#include "ui/RecentPictures.h"

// The ways a picture comes in besides Load Bitmap's dialog: dropped on the
// window, from a PDF page, from the recent pictures (kept across a restart),
// and how Ctrl + the wheel zooms about the pointer.
class PictureSourcesTest : public WindowTest {
  Q_OBJECT

  const std::string sample_ = std::string(QUORVIX_SAMPLES_DIR) + "/sextet.bmp";

  QStringList recentEntries() {
    QMenu& menu = *window().FileOpenRecent;
    emit menu.aboutToShow();
    QStringList entries;
    for (QAction* action : menu.actions()) {
      if (!action->isSeparator())
        entries.append(action->toolTip().isEmpty() ? action->text() : action->toolTip());
    }
    return entries;
  }

  void drop(const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at(400, 300);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window(), &dropped);
  }

 private slots:
  void init() {
    std::filesystem::remove(RecentPictures::DefaultSettingsFile().toStdString());
    startApplication();
  }
  void cleanup() { finishApplication(); }

  void theOpenDialogOffersAllPicturesFirstThenBitmaps() {
    const QStringList filters = QtFileFilter(PictureOpenFilter()).split(";;");
    QVERIFY(filters.size() > 4);
    QVERIFY(filters[0].startsWith("All pictures (*.bmp *.BMP *.png *.PNG "));
    QVERIFY(filters[0].contains("*.tif *.TIF") && filters[0].contains("*.pdf *.PDF"));
    QCOMPARE(filters[1], QString("Windows bitmap (*.bmp *.BMP)"));
    QVERIFY(filters.contains("WebP (*.webp *.WEBP)"));
  }

  void aDroppedFileLoadsAsLoadBitmapWouldAndIsRemembered() {
    drop(QString::fromStdString(sample_));
    QCOMPARE(state().WorkImage.width(), 961);
    QCOMPARE(app_->ui().statusText(StatusFile), sample_);
    QCOMPARE(recentEntries().value(0), QString::fromStdString(sample_));

    // During a run a drop is ignored, as Load Bitmap is.
    state().RunInProgress = true;
    const std::string other = dir_.file("other.png");
    QImage(5, 4, QImage::Format_RGB32).save(QString::fromStdString(other));
    drop(QString::fromStdString(other));
    state().RunInProgress = false;
    QCOMPARE(state().WorkImage.width(), 961);
  }

  void pasteTakesACopiedFileOrRefusesText() {
    auto* copied = new QMimeData;  // owned by the clipboard
    copied->setUrls({QUrl::fromLocalFile(QString::fromStdString(sample_))});
    QGuiApplication::clipboard()->setMimeData(copied);
    window().EditPaste->trigger();
    QCOMPARE(state().WorkImage.width(), 961);
    QCOMPARE(app_->ui().statusText(StatusFile), sample_);

    QGuiApplication::clipboard()->setText("not a picture");
    window().EditPaste->trigger();
    QCOMPARE(dialogs_.errors, std::vector<std::string>{"Cannot paste: the clipboard holds no picture"});
    QCOMPARE(state().WorkImage.width(), 961);
  }

  void aPdfPageIsRenderedAsChosenInItsDialog() {
    const QString path = QString::fromStdString(dir_.file("paper.pdf"));
    WriteTestPdf(path.toStdString(), 72, 36, 3, 10);
    dialogs_.pdfChoices = {PdfPageChoice{2, 144}};
    drop(path);
    QCOMPARE(dialogs_.pdfPageCounts, std::vector<int>{3});
    QCOMPARE(state().WorkImage.width(), 144);
    QCOMPARE(state().WorkImage.height(), 72);
    // Cancelled: nothing changes and nothing is said.
    dialogs_.pdfChoices = {std::nullopt};
    drop(QString::fromStdString(sample_));
    drop(path);
    QCOMPARE(state().WorkImage.width(), 961);
    QVERIFY(dialogs_.errors.empty());
  }

  void recentPicturesSurviveARestartAndLoseFilesThatAreGone() {
    const std::string copy = dir_.file("copy.bmp");
    std::filesystem::copy_file(sample_, copy);
    QVERIFY(LoadBitmapFromPath(state(), app_->ui(), sample_));
    QVERIFY(LoadBitmapFromPath(state(), app_->ui(), copy));
    QVERIFY(LoadBitmapFromPath(state(), app_->ui(), sample_));  // once only, first again
    QCOMPARE(recentEntries(), (QStringList{QString::fromStdString(sample_), QString::fromStdString(copy),
                                           QString("Clear Menu")}));

    finishApplication();
    std::filesystem::remove(copy);
    startApplication();
    QCOMPARE(recentEntries(), (QStringList{QString::fromStdString(sample_), QString("Clear Menu")}));

    // Picking an entry loads it.
    window().FileOpenRecent->actions().first()->trigger();
    QCOMPARE(state().WorkImage.width(), 961);

    window().FileOpenRecent->actions().last()->trigger();  // "Clear Menu"
    QCOMPARE(recentEntries(), QStringList{"Clear Menu"});
    QVERIFY(!window().FileOpenRecent->actions().last()->isEnabled());
  }

  void controlAndTheWheelZoomAboutThePointer() {
    QVERIFY(LoadBitmapFromPath(state(), app_->ui(), sample_));
    PictureArea& area = *window().pictureArea();
    LayoutViewport(state(), window().viewportGeometry());
    const QPoint pointer(500, 300);
    const PictureCentre before = ScreenToPicture(state(), {pointer.x() + 0.5, pointer.y() + 0.5});

    QWheelEvent plain(pointer, area.mapToGlobal(pointer), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&area, &plain);
    QCOMPARE(state().Zoom, 1);

    QWheelEvent up(pointer, area.mapToGlobal(pointer), {}, {0, 120}, Qt::NoButton, Qt::ControlModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(&area, &up);
    QCOMPARE(state().Zoom, 2);
    LayoutViewport(state(), window().viewportGeometry());
    const PictureCentre after = ScreenToPicture(state(), {pointer.x() + 0.5, pointer.y() + 0.5});
    // The scroll bars move in hundredths of their range: within a few pixels.
    QVERIFY2(std::abs(after.x - before.x) < 6 && std::abs(after.y - before.y) < 6,
             qPrintable(QString("%1,%2 -> %3,%4").arg(before.x).arg(before.y).arg(after.x).arg(after.y)));

    // A touchpad's small turns add up to one step.
    for (int i = 0; i < 4; ++i) {
      QWheelEvent small(pointer, area.mapToGlobal(pointer), {}, {0, -30}, Qt::NoButton, Qt::ControlModifier,
                        Qt::NoScrollPhase, false);
      QApplication::sendEvent(&area, &small);
    }
    QCOMPARE(state().Zoom, 1);
  }
};

QTEST_MAIN(PictureSourcesTest)
#include "PictureSources_test.moc"
