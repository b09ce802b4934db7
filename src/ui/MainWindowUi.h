#pragma once

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>

#include "state/Ui.h"
#include "ui/Dialogs.h"

class QWidget;
class QLineEdit;
class TForm1;
class TForm2;
struct AppState;

// The Ui seam over the real windows: questions and messages as modal boxes,
// the file dialogs, the main window's status bar, fields and enabled states,
// and the preview window.
class MainWindowUi : public Ui {
 public:
  MainWindowUi(AppState& state, TForm1& mainWindow);
  ~MainWindowUi() override;

  // Puts other dialogs (a test's script) in place of Qt's; nullptr restores them.
  void setDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }

  void setPreviewWindow(TForm2* preview) { preview_ = preview; }
  // Runs the main window's repaint (state part and drawing).
  void setRepaintHandler(std::function<void()> repaint) { repaint_ = std::move(repaint); }

  Answer ask(QuestionType type, QuestionButtons buttons, const std::string& text) override;
  void showError(const std::string& text) override;
  void showMessage(const std::string& text) override;
  std::optional<std::string> chooseOpenFile(const std::string& filter,
                                            const std::string& initialDir) override;
  std::optional<std::string> chooseSaveFile(SaveDialog dialog, const std::string& filter,
                                            const std::string& proposedName) override;
  std::optional<PdfPageChoice> choosePdfPage(const std::string& path, int pageCount,
                                             const PdfPageChoice& proposed) override;
  void pictureOpened(const std::string& path) override;
  // Told of every picture opened from a file.
  void setPictureOpenedHandler(std::function<void(const std::string&)> opened) {
    pictureOpened_ = std::move(opened);
  }
  std::string statusText(int panel) const override;
  void setStatusText(int panel, const std::string& text) override;
  std::string fieldText(Field field) const override;
  void setFieldText(Field field, const std::string& text) override;
  bool strictMatchChecked() const override;
  void setOptionChecked(Option option, bool checked) override;
  bool isEnabled(Control control) const override;
  void setEnabled(Control control, bool enabled) override;
  void repaintMain() override;
  void unitPictureChanged() override;
  void drawSelectionOutline() override;
  void setOutlineHandler(std::function<void()> draw) { drawOutline_ = std::move(draw); }
  void showPreview() override;
  void hidePreview() override;
  void setPreviewCaption(const std::string& text) override;
  void repaintPreview() override;
  void setBusy(bool busy) override;
  void processPendingMessages() override;

  // The about box, through the same dialogs as the questions.
  void showAbout(const std::string& title, const std::string& text) { dialogs().showAbout(title, text); }

  // The rotation dialog's angle field, when that dialog exists.
  void setRotateAngleField(QLineEdit* field) { rotateAngle_ = field; }

 private:
  QLineEdit* field(Field which) const;
  Dialogs& dialogs() const;

  AppState& state_;
  TForm1& main_;
  TForm2* preview_ = nullptr;
  QLineEdit* rotateAngle_ = nullptr;
  std::function<void()> repaint_;
  std::function<void()> drawOutline_;
  std::function<void(const std::string&)> pictureOpened_;
  std::unique_ptr<QtDialogs> qtDialogs_;
  QElapsedTimer statusClock_;
  Dialogs* dialogs_ = nullptr;
  bool busy_ = false;
};
