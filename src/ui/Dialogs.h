#pragma once

#include <QString>
#include <optional>
#include <string>

#include "state/Ui.h"

class QWidget;

// The modal boxes and file dialogs of the program. The real ones block until
// the user answers; tests put a scripted implementation in their place.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual Answer ask(QuestionType type, QuestionButtons buttons, const std::string& text) = 0;
  virtual void showError(const std::string& text) = 0;
  virtual void showMessage(const std::string& text) = 0;
  virtual std::optional<std::string> chooseOpenFile(const std::string& filter,
                                                    const std::string& initialDir) = 0;
  virtual std::optional<std::string> chooseSaveFile(SaveDialog dialog, const std::string& filter,
                                                    const std::string& proposedName) = 0;
  virtual std::optional<PdfPageChoice> choosePdfPage(const std::string& path, int pageCount,
                                                     const PdfPageChoice& proposed) = 0;
  // The program's about box: a title and a rich text, one button to close it.
  virtual void showAbout(const std::string& title, const std::string& text) = 0;
};

// Qt's message boxes and file dialogs, parented to the main window.
class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent) : parent_(parent) {}
  Answer ask(QuestionType type, QuestionButtons buttons, const std::string& text) override;
  void showError(const std::string& text) override;
  void showMessage(const std::string& text) override;
  std::optional<std::string> chooseOpenFile(const std::string& filter,
                                            const std::string& initialDir) override;
  std::optional<std::string> chooseSaveFile(SaveDialog dialog, const std::string& filter,
                                            const std::string& proposedName) override;
  std::optional<PdfPageChoice> choosePdfPage(const std::string& path, int pageCount,
                                             const PdfPageChoice& proposed) override;
  void showAbout(const std::string& title, const std::string& text) override;

 private:
  QWidget* parent_;
};

// Filters written as "Description|*.EXT" become Qt filters that find the
// extension in any letter case; "Description|*.a;*.b|Description|*.c" pairs
// become one Qt filter each, their patterns as written.
QString QtFileFilter(const std::string& filter);
