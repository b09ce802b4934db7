#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>
#include <filesystem>

#include "support/WindowTest.h"

// The platform's standard keys reach their commands: Open loads a picture,
// Zoom In and Zoom Out step the zoom as the zoom buttons do, Paste takes the
// clipboard's picture, Save As and Save write the picture and the data, Quit
// closes.
class ShortcutsTest : public WindowTest {
  Q_OBJECT

 private slots:
  void init() { startApplication(); }
  void cleanup() { finishApplication(); }

  void theStandardKeysRunTheirCommands() {
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    dialogs_.files = {std::string(QUORVIX_SAMPLES_DIR) + "/sextet.bmp"};
    QTest::keySequence(&window(), QKeySequence::Open);
    QCOMPARE(dialogs_.openDirs.size(), std::size_t{1});
    QCOMPARE(state().WorkImage.width(), 961);

    QTest::keySequence(&window(), QKeySequence::ZoomIn);
    QCOMPARE(state().Zoom, 2);
    QTest::keySequence(&window(), QKeySequence::ZoomOut);
    QTest::keySequence(&window(), QKeySequence::ZoomOut);
    QCOMPARE(state().Zoom, -1);

    // Paste takes the clipboard's picture.
    QImage copied(6, 5, QImage::Format_RGB32);
    copied.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(copied);
    QTest::keySequence(&window(), QKeySequence::Paste);
    QCOMPARE(state().WorkImage.width(), 6);
    QCOMPARE(state().WorkImage.pixel(0, 0), MakeColour(255, 0, 0));
    QCOMPARE(app_->ui().statusText(StatusFile), std::string("(clipboard)"));

    // Save As writes the picture (Save Bitmap), Save the data (Save ASCII data).
    dialogs_.files = {dir_.file("copy.bmp")};
    QTest::keySequence(&window(), window().FileSaveBitmap->shortcut());
    QVERIFY(std::filesystem::exists(dir_.file("copy.BMP")));
    state().VelocityArray = {1.5};
    state().CountsArray = {0.25};
    state().DataPointCount = 1;
    window().FileSaveAscii->setEnabled(true);
    dialogs_.files = {dir_.file("data.txt")};
    QTest::keySequence(&window(), QKeySequence::Save);
    QVERIFY(ReadWholeFile(dir_.file("data.txt")).find("1.500000,0.250000") != std::string::npos);

    state().AsciiSaved = true;
    QTest::keySequence(&window(), window().Exit1->shortcut());
    QTRY_VERIFY(!window().isVisible());
  }
};

QTEST_MAIN(ShortcutsTest)
#include "Shortcuts_test.moc"
