#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <fstream>

#include "app/SetupFile.h"
#include "support/DiscPicture.h"
#include "support/WindowTest.h"
#include "ui/PictureArea.h"
#include "ui/StatusPanels.h"

// File > "Save Setup..." and "Open Setup...": a setup saved from one run and
// opened in a fresh window gives the same data file; a file that is no setup
// is refused with one message and changes nothing.
class SetupTest : public WindowTest {
  Q_OBJECT

 private:
  const std::string sample_ = std::string(QUORVIX_SAMPLES_DIR) + "/sextet.bmp";

  void loadSample() {
    dialogs_.files = {sample_};
    window().LoadBitmap1->trigger();
    QCOMPARE(state().WorkImage.width(), 961);
  }

  // Create ASCII and Save ASCII data; the file's bytes.
  std::string runAndSave(const std::string& name) {
    window().CreateBtn->click();
    if (window().statusBar()->text(2) != "Status: Ready") return {};
    dialogs_.files = {dir_.file(name)};
    window().FileSaveAscii->trigger();
    return ReadWholeFile(dir_.file(name));
  }

  // What quorvix-cli writes for the sample with the setup; empty when it fails.
  std::string cliWithSetup(const std::string& setup) {
    QProcess cli;
    cli.start(QUORVIX_CLI_PATH,
              {"extract", QString::fromStdString(sample_), "--setup", QString::fromStdString(setup)});
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0) return {};
    return cli.readAllStandardOutput().toStdString();
  }

  void restart() {
    finishApplication();
    startApplication();
  }

 private slots:
  void init() { startApplication(); }
  void cleanup() { finishApplication(); }

  void aSavedSetupOpenedInAFreshWindowGivesTheSameFile_data() {
    QTest::addColumn<bool>("thorough");
    QTest::newRow("default") << false;
    QTest::newRow("thorough") << true;
  }
  void aSavedSetupOpenedInAFreshWindowGivesTheSameFile() {
    QFETCH(bool, thorough);
    loadSample();
    QWidget* area = window().pictureArea();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, {129, 35});
    QTest::mouseMove(area, {139, 45});
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, {139, 45});
    window().SetasUnitButton->click();
    window().VminEdit->setText("-10");
    window().VMaxEdit->setText("10");
    window().MinEdit->setText("0.82");
    window().MaxEdit->setText("1.02");
    window().MatchEdit->setText("70");
    window().StrictCheck->setChecked(true);
    if (thorough) window().EditThorough->trigger();
    const std::string name = thorough ? "thorough" : "default";
    const std::string setup = dir_.file(name + ".qvsetup");
    dialogs_.files = {dir_.file(name)};  // the extension is added
    window().FileSaveSetup->trigger();
    QVERIFY(dialogs_.errors.empty());
    const std::string first = runAndSave("first.txt");
    QVERIFY(!first.empty());

    restart();
    loadSample();
    QVERIFY(!window().CreateBtn->isEnabled());
    dialogs_.files = {setup};
    window().FileOpenSetup->trigger();
    QVERIFY2(dialogs_.errors.empty(), dialogs_.errors.empty() ? "" : dialogs_.errors[0].c_str());
    QVERIFY(window().CreateBtn->isEnabled());
    QCOMPARE(window().VminEdit->text(), QString("-10"));
    QCOMPARE(window().MatchEdit->text(), QString("70"));
    QVERIFY(window().StrictCheck->isChecked());
    QCOMPARE(window().EditThorough->isChecked(), thorough);
    QCOMPARE(state().ThoroughMatching, thorough);
    QCOMPARE(runAndSave("second.txt"), first);

    // The command line with the same setup writes the same bytes.
    QCOMPARE(cliWithSetup(setup), first);
  }

  // The edits made in the window before the unit was taken go into the
  // setup, and the command line makes them again on the picture as loaded.
  void theWindowsEditsTravelWithTheSetup() {
    loadSample();
    window().WhiteLimit->setText("240");
    window().WhiteLimit->setFocus();
    QTest::keyClick(window().WhiteLimit, Qt::Key_Return);
    QWidget* area = window().pictureArea();
    const auto drag = [&](QPoint from, QPoint to) {
      QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, from);
      QTest::mouseMove(area, to);
      QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, to);
    };
    drag({129 + 400, 0}, {129 + 520, 120});
    window().ClearInsideButton->click();
    drag({129, 35}, {139, 45});
    window().SetasUnitButton->click();
    window().VminEdit->setText("-10");
    window().VMaxEdit->setText("10");
    const std::string setup = dir_.file("edited.qvsetup");
    dialogs_.files = {setup};
    window().FileSaveSetup->trigger();
    std::string why;
    const auto saved = ReadSetupFile(setup, why);
    QVERIFY2(saved, why.c_str());
    QCOMPARE(saved->edits.size(), std::size_t{2});
    QCOMPARE(saved->edits[0].kind, EditStep::Kind::GreyLimit);
    QCOMPARE(saved->edits[0].text, std::string("240"));
    QCOMPARE(saved->edits[1].kind, EditStep::Kind::ClearInside);
    QCOMPARE(saved->edits[1].rect, (Rect{400, 0, 520, 120}));
    const std::string first = runAndSave("edited.txt");
    QVERIFY(!first.empty());

    QCOMPARE(cliWithSetup(setup), first);
  }

  void aFileThatIsNoSetupChangesNothing() {
    loadSample();
    window().VminEdit->setText("-3");
    const Bitmap unit = state().UnitImagePicture;
    const std::string bad = dir_.file("bad.qvsetup");
    std::ofstream(bad) << "{\"format\": \"Quorvix setup\", \"version\": 1, \"vmin\": 5}";
    dialogs_.files = {bad};
    window().FileOpenSetup->trigger();
    QCOMPARE(dialogs_.errors.size(), std::size_t{1});
    QVERIFY2(dialogs_.errors[0].find("\"unit\" is missing") != std::string::npos, dialogs_.errors[0].c_str());
    QCOMPARE(window().VminEdit->text(), QString("-3"));
    QCOMPARE(state().UnitImagePicture, unit);
    QVERIFY(!window().CreateBtn->isEnabled());
  }
};

QTEST_MAIN(SetupTest)
#include "Setup_test.moc"
