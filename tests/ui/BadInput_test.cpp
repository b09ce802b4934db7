// Bad input through the main window itself: one message box naming the
// problem, and the window as it was.
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <memory>
#include <system_error>

#include "image/BitmapFile.h"
#include "image/PictureLimits.h"
#include "support/BmpBytes.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/WindowTest.h"
#include "ui/Application.h"
#include "ui/MainWindowUi.h"
#include "ui/PanelWidgets.h"
#include "ui/QuorvixMain.h"
#include "ui/StatusPanels.h"

namespace {

bool DevFullIsDevice() {
  std::error_code error;
  return std::filesystem::is_character_file(std::filesystem::symlink_status("/dev/full", error));
}

}  // namespace

class BadInputTest : public WindowTest {
  Q_OBJECT

 private:
  void loadGoodPicture() {
    const std::string path = dir_.file("good.bmp");
    std::string error;
    QVERIFY(SaveBitmapFile(path, Bitmap(30, 20, MakeColour(1, 2, 3)), error));
    dialogs_.files = {path};
    window().LoadBitmap1->trigger();
    QVERIFY(dialogs_.errors.empty());
  }

 private slots:
  void init() { startApplication(); }

  void cleanup() { finishApplication(); }

  void unreadablePicturesShowOneErrorAndChangeNothing() {
    loadGoodPicture();
    window().ZoomSpin->upButton()->click();
    window().WhiteLimit->setText("100");
    state().AsciiSaved = false;
    const std::string text = dir_.file("text.bmp");
    WriteWholeFile(text, "not a picture");
    const std::string huge = dir_.file("huge.bmp");
    WriteWholeFile(huge, BmpFileBytes(100000, 100000, 24, std::string(64, '\0')));
    const std::string cut = dir_.file("cut.bmp");
    WriteWholeFile(cut, BmpFileBytes(30, 20, 24, std::string(100, '\0')));
    for (const std::string& path : {text, huge, cut}) {
      dialogs_.errors.clear();
      dialogs_.files = {path};
      window().LoadBitmap1->trigger();
      QCOMPARE(dialogs_.errors.size(), std::size_t{1});
      QVERIFY(dialogs_.errors[0].rfind("Cannot read the picture " + path + ": ", 0) == 0);
      QCOMPARE(state().WorkImage.width(), 30);
      QCOMPARE(state().Zoom, 2);
      QCOMPARE(window().WhiteLimit->text(), QString("100"));
      QVERIFY(!state().AsciiSaved);
      QVERIFY(window().statusBar()->text(3).endsWith("good.bmp"));
    }
    QCOMPARE(dialogs_.errors[0],
             "Cannot read the picture " + cut +
                 ": the file is cut short: its 30 x 20 pixels need 1894 bytes, it holds 154");
  }

  void failedSavesShowTheReasonAndKeepWhatWasThere() {
    QVERIFY(DevFullIsDevice());
    loadGoodPicture();
    std::filesystem::create_symlink("/dev/full", dir_.file("full.BMP"));
    std::filesystem::create_directory(dir_.file("folder.BMP"));
    dialogs_.files = {dir_.file("full.bmp"), dir_.file("folder.bmp")};
    dialogs_.answers = {Answer::Yes};
    window().FileSaveBitmap->trigger();
    window().FileSaveBitmap->trigger();
    QCOMPARE(dialogs_.errors,
             (std::vector<std::string>{
                 "Cannot write the picture " + dir_.file("full.BMP") + ": No space left on device",
                 "Cannot write the picture " + dir_.file("folder.BMP") + ": Is a directory"}));
    QVERIFY(std::filesystem::is_symlink(dir_.file("full.BMP")));
    QVERIFY(std::filesystem::is_directory(dir_.file("folder.BMP")));
    QVERIFY(DevFullIsDevice());

    state().VelocityArray = {1.0};
    state().CountsArray = {2.0};
    state().DataPointCount = 1;
    state().AsciiSaved = false;
    window().FileSaveAscii->setEnabled(true);
    dialogs_.files = {dir_.file("folder.BMP")};
    window().FileSaveAscii->trigger();
    QCOMPARE(dialogs_.messages, std::vector<std::string>{"There was an I/O error while writing to the file:" +
                                                         dir_.file("folder.BMP")});
    QVERIFY(!state().AsciiSaved);
  }

  void unreadableSettingsNeitherHangNorChangeTheFields() {
    cleanup();
    const TempDir program;
    std::filesystem::create_symlink("/dev/zero", program.file("Quorvix.cfg"));
    WriteWholeFile(program.file("QuorvixDir.cfg"), std::string(3 << 20, 'x'));
    startIn(program.path());
    QCOMPARE(window().VminEdit->text(), QString("-5.0"));
    QCOMPARE(window().MatchEdit->text(), QString("60"));
    QCOMPARE(state().OpenDialogDir, program.path());
    QVERIFY(dialogs_.errors.empty());
    QVERIFY(dialogs_.messages.empty());
  }
};

QTEST_MAIN(BadInputTest)
#include "BadInput_test.moc"
