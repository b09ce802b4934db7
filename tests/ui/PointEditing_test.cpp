#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QUndoStack>
#include <QtTest>
#include <cmath>

#include "image/BitmapFile.h"
#include "support/DiscPicture.h"
#include "support/WindowTest.h"
#include "ui/AscIIForm.h"
#include "ui/PanelWidgets.h"
#include "ui/PictureArea.h"
#include "ui/PointEditor.h"
#include "ui/StatusPanels.h"

namespace {

const std::vector<QPointF> Centres = {
    {20.5, 30.25}, {55.25, 22.0}, {90.0, 61.5}, {130.75, 40.5}, {170.3, 75.6}};

// At zoom 1 picture pixel k is shown at client column 129 + k; its centre
// is the middle of that screen pixel.
constexpr int PictureLeft = 129;
QPoint OnScreen(double x, double y) {
  return {PictureLeft + static_cast<int>(std::floor(x + 0.5)), static_cast<int>(std::floor(y + 0.5))};
}

}  // namespace

// Edit > "Edit points": the points picked, removed, added, moved and nudged
// on the picture, each step undone and done again; the lists, the count, the
// preview and the saved file follow.
class PointEditingTest : public WindowTest {
  Q_OBJECT

 private:
  QWidget* area() { return window().pictureArea(); }
  QString status(int panel) { return window().statusBar()->text(panel); }
  std::vector<double> velocities() {
    return {state().VelocityArray.begin(), state().VelocityArray.begin() + state().DataPointCount};
  }

  void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mousePress(area(), Qt::LeftButton, modifiers, from);
    QMouseEvent move(QEvent::MouseMove, to, area()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, modifiers);
    QApplication::sendEvent(area(), &move);
    QTest::mouseRelease(area(), Qt::LeftButton, modifiers, to);
  }
  void click(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(area(), Qt::LeftButton, modifiers, at);
  }
  // The key alone, its modifiers held (QTest would press Shift as a key of its own first).
  void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, k, modifiers);
    QApplication::sendEvent(window().PanelBtn, &press);
    QKeyEvent release(QEvent::KeyRelease, k, modifiers);
    QApplication::sendEvent(window().PanelBtn, &release);
  }
  void undo() { window().EditUndo->trigger(); }
  void redo() { window().EditRedo->trigger(); }

  // The five discs found by the thorough mode, velocity = column.
  void run() {
    std::string error;
    const std::string path = dir_.file("discs.bmp");
    QVERIFY(SaveBitmapFile(path, Discs(201, 101, Centres), error));
    dialogs_.files = {path};
    window().LoadBitmap1->trigger();
    drag({PictureLeft + 14, 24}, {PictureLeft + 27, 37});
    window().SetasUnitButton->click();
    window().EditThorough->trigger();
    window().VminEdit->setText("0");
    window().VMaxEdit->setText("200");
    window().MinEdit->setText("0");
    window().MaxEdit->setText("100");
    window().CreateBtn->click();
    QCOMPARE(state().DataPointCount, 5);
    state().AsciiSaved = true;
  }

  void verifyCount(int n) {
    QCOMPARE(state().DataPointCount, n);
    QCOMPARE(state().VelocityArray.size(), std::size_t(n));
    QCOMPARE(state().CountsArray.size(), std::size_t(n));
    QCOMPARE(state().FoundCentres.size(), std::size_t(n));
    QCOMPARE(status(1), QString("ASCII data: %1").arg(n));
    QCOMPARE(app_->previewWindow().windowTitle(), QString("ASCII form of the data [ %1 ]").arg(n));
    for (int i = 1; i < n; ++i) QVERIFY(state().VelocityArray[i - 1] <= state().VelocityArray[i]);
    // Every point's velocity and value are its centre's.
    for (int i = 0; i < n; ++i) {
      QVERIFY(std::abs(state().VelocityArray[i] - state().FoundCentres[i].x) < 1e-9);
      QVERIFY(std::abs(state().CountsArray[i] - (100 - state().FoundCentres[i].y)) < 1e-9);
    }
  }

 private slots:
  void init() { startApplication(); }
  void cleanup() { finishApplication(); }

  void deleteAddMoveAndNudgeEachUndoneAndRedone() {
    run();
    QVERIFY(!window().EditUndo->isEnabled());
    window().EditPoints->trigger();
    QVERIFY(window().EditPoints->isChecked());
    QCOMPARE(area()->cursor().shape(), Qt::CrossCursor);
    const std::vector<double> found = velocities();

    // Delete the second point.
    click(OnScreen(Centres[1].x(), Centres[1].y()));
    key(Qt::Key_Delete);
    verifyCount(4);
    QVERIFY(!state().AsciiSaved);
    const std::vector<double> left = velocities();
    QVERIFY(std::none_of(left.begin(), left.end(), [&](double v) { return std::abs(v - found[1]) < 1e-9; }));
    QVERIFY(window().EditUndo->isEnabled());
    undo();
    verifyCount(5);
    QCOMPARE(velocities(), found);
    redo();
    verifyCount(4);

    // A double click beside the disc adds its point, fitted to the ink.
    QTest::mouseDClick(area(), Qt::LeftButton, Qt::NoModifier,
                       OnScreen(Centres[1].x() + 1.5, Centres[1].y() - 1));
    verifyCount(5);
    QVERIFY2(std::abs(state().VelocityArray[1] - Centres[1].x()) < 0.3,
             std::to_string(state().VelocityArray[1]).c_str());
    QVERIFY(std::abs(state().CountsArray[1] - (100 - Centres[1].y())) < 0.3);
    undo();
    verifyCount(4);
    redo();
    verifyCount(5);
    // On paper, the point goes exactly where the click was.
    QTest::mouseDClick(area(), Qt::LeftButton, Qt::NoModifier, {PictureLeft + 100, 90});
    verifyCount(6);
    const std::vector<double> withClick = velocities();
    QVERIFY(std::any_of(withClick.begin(), withClick.end(), [](double v) { return v == 100; }));
    undo();
    verifyCount(5);

    // Dragging the third point's marker moves it by the drag.
    const PictureCentre third = state().FoundCentres[2];
    drag(OnScreen(third.x, third.y), OnScreen(third.x, third.y) + QPoint(10, 5));
    verifyCount(5);
    QVERIFY(std::abs(state().FoundCentres[2].x - (third.x + 10)) < 1e-9);
    QVERIFY(std::abs(state().FoundCentres[2].y - (third.y + 5)) < 1e-9);
    undo();
    QCOMPARE(state().FoundCentres[2].x, third.x);
    QCOMPARE(state().FoundCentres[2].y, third.y);
    redo();
    QVERIFY(std::abs(state().FoundCentres[2].x - (third.x + 10)) < 1e-9);
    undo();

    // The arrow keys nudge the selection: a tenth of a pixel, with Shift one.
    click(OnScreen(third.x, third.y));
    key(Qt::Key_Right);
    QVERIFY(std::abs(state().FoundCentres[2].x - (third.x + 0.1)) < 1e-9);
    key(Qt::Key_Down, Qt::ShiftModifier);
    QVERIFY(std::abs(state().FoundCentres[2].y - (third.y + 1)) < 1e-9);
    verifyCount(5);
    undo();
    QVERIFY(std::abs(state().FoundCentres[2].y - third.y) < 1e-9);
    redo();
    QVERIFY(std::abs(state().FoundCentres[2].y - (third.y + 1)) < 1e-9);
    undo();
    undo();
    QCOMPARE(state().FoundCentres[2].x, third.x);
    QCOMPARE(state().FoundCentres[2].y, third.y);

    // A rectangle over empty picture selects the three points inside it;
    // Shift adds the first one by a click; Delete removes all four at once.
    drag({PictureLeft + 40, 5}, {PictureLeft + 140, 70});
    click(OnScreen(Centres[0].x(), Centres[0].y()), Qt::ShiftModifier);
    key(Qt::Key_Backspace);
    verifyCount(1);
    QCOMPARE(velocities()[0], found[4]);
    undo();
    verifyCount(5);
    QCOMPARE(velocities(), found);
    redo();
    verifyCount(1);
  }

  void theSavedFileAndTheCloseQuestionFollowTheEdits() {
    run();
    window().EditPoints->trigger();
    click(OnScreen(Centres[4].x(), Centres[4].y()));
    key(Qt::Key_Delete);
    QVERIFY(!state().AsciiSaved);
    const std::string saved = dir_.file("edited.txt");
    dialogs_.files = {saved};
    window().FileSaveAscii->trigger();
    QVERIFY(state().AsciiSaved);
    const std::string text = ReadWholeFile(saved);
    QCOMPARE(std::count(text.begin(), text.end(), '\n'), 5);  // a header and four points
    QVERIFY(text.find("ASCII data: 4") != std::string::npos);
    // Another edit: closing asks again.
    undo();
    QVERIFY(!state().AsciiSaved);
    dialogs_.answers = {Answer::No};
    window().close();
    QCOMPARE(dialogs_.questions.size(), std::size_t{1});
    state().AsciiSaved = true;
  }

  // The preview names the point under the pointer, and a click on it
  // selects the point on the picture and brings it into view.
  void thePreviewKnowsThePoints() {
    run();
    TForm2& preview = app_->previewWindow();
    QWidget* box = preview.PaintBox1;
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    preview.RepaintPreview();
    QCOMPARE(preview.plottedPoints().size(), std::size_t{5});
    const QPoint third = preview.plottedPoints()[2];
    const auto hover = [&](QPoint at) {
      QMouseEvent move(QEvent::MouseMove, at, box->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                       Qt::NoModifier);
      QApplication::sendEvent(box, &move);
    };
    hover(third);
    QCOMPARE(preview.pointTip(), QString("velocity %1, value %2")
                                     .arg(state().VelocityArray[2], 0, 'f', 6)
                                     .arg(state().CountsArray[2], 0, 'f', 6));
    hover(third + QPoint(30, 30));
    QVERIFY(preview.pointTip().isEmpty());

    const QImage before = box->grab().toImage();
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, third);
    const std::vector<char>& selected = app_->pointEditor().selection();
    QCOMPARE(std::count(selected.begin(), selected.end(), 1), 1);
    QCOMPARE(selected[2], char{1});
    QVERIFY(box->grab().toImage() != before);  // ringed in the preview too

    // At zoom 8 the last point lies outside the view until it is clicked.
    for (int k = 0; k < 3; ++k) emit window().ZoomSpin->zoomUp();
    QCOMPARE(state().Zoom, 8);
    const auto inView = [&](std::size_t i) {
      const QPointF at = FoundPointsOverlay::onScreen(state(), state().FoundCentres[i]);
      const Rect& v = state().ViewArea;
      return at.x() >= v.Left && at.x() <= v.Right && at.y() >= v.Top && at.y() <= v.Bottom;
    };
    QVERIFY(!inView(4));
    preview.RepaintPreview();
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, preview.plottedPoints()[4]);
    QCOMPARE(app_->pointEditor().selection()[4], char{1});
    QVERIFY(inView(4));
  }

  void aNewRunOrPictureClearsTheStepsAndTheModeOffKeepsTheSelection() {
    run();
    window().EditPoints->trigger();
    click(OnScreen(Centres[0].x(), Centres[0].y()));
    key(Qt::Key_Delete);
    QVERIFY(window().EditUndo->isEnabled());
    window().CreateBtn->click();
    QCOMPARE(state().DataPointCount, 5);
    QVERIFY(!window().EditUndo->isEnabled());

    // With the mode off a drag is the rubber-band selection and Delete
    // clears inside it, as ever; the points' steps go with the picture.
    click(OnScreen(Centres[0].x(), Centres[0].y()));
    key(Qt::Key_Delete);
    QVERIFY(window().EditUndo->isEnabled());
    window().EditPoints->trigger();
    QVERIFY(!window().EditPoints->isChecked());
    QVERIFY(area()->cursor().shape() != Qt::CrossCursor);
    drag({PictureLeft + 40, 5}, {PictureLeft + 140, 70});
    QCOMPARE(status(2), QString("( 40 , 5 ) x ( 140 , 70 )"));
    key(Qt::Key_Delete);
    QCOMPARE(state().WorkImage.pixel(90, 61), WhiteColour);
    QCOMPARE(state().DataPointCount, 4);
    QVERIFY(state().FoundCentres.empty());
    QVERIFY(!window().EditUndo->isEnabled());

    // A new picture: the steps of the last one's points are gone too.
    run();
    window().EditPoints->trigger();
    click(OnScreen(Centres[0].x(), Centres[0].y()));
    key(Qt::Key_Delete);
    QVERIFY(window().EditUndo->isEnabled());
    dialogs_.files = {dir_.file("discs.bmp")};
    window().LoadBitmap1->trigger();
    QVERIFY(!window().EditUndo->isEnabled());
  }
};

QTEST_MAIN(PointEditingTest)
#include "PointEditing_test.moc"
