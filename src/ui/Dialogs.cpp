#include "ui/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "ui/PdfPageDialog.h"

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// "*.BMP" gives "*.BMP *.bmp" and so on for each letter case seen on disks.
QString PatternsForAnyCase(const QString& pattern) {
  if (pattern == "*.*" || !pattern.startsWith("*.")) return pattern;
  const QString upper = pattern.toUpper();
  const QString lower = "*." + pattern.mid(2).toLower();
  return upper == lower ? upper : upper + " " + lower;
}

}  // namespace

QString QtFileFilter(const std::string& filter) {
  const QStringList parts = Q(filter).split('|');
  if (parts.size() < 2) return parts.front();
  // A lone pattern is offered in both letter cases; a list is taken as written.
  if (parts.size() == 2 && !parts[1].contains(';'))
    return parts[0] + " (" + PatternsForAnyCase(parts[1]) + ")";
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters.append(parts[i] + " (" + parts[i + 1].split(';').join(' ') + ")");
  }
  return filters.join(";;");
}

Answer QtDialogs::ask(QuestionType type, QuestionButtons buttons, const std::string& text) {
  const QMessageBox::StandardButton no =
      buttons == QuestionButtons::YesNo ? QMessageBox::No : QMessageBox::Cancel;
  QMessageBox box(type == QuestionType::Warning ? QMessageBox::Warning : QMessageBox::Question,
                  QApplication::applicationDisplayName(), Q(text), QMessageBox::Yes | no, parent_);
  box.setEscapeButton(no);
  const int answer = box.exec();
  if (answer == QMessageBox::Yes) return Answer::Yes;
  return buttons == QuestionButtons::YesNo ? Answer::No : Answer::Cancel;
}

void QtDialogs::showError(const std::string& text) {
  QMessageBox::critical(parent_, QApplication::applicationDisplayName(), Q(text));
}

void QtDialogs::showMessage(const std::string& text) {
  QMessageBox::information(parent_, QApplication::applicationDisplayName(), Q(text));
}

std::optional<std::string> QtDialogs::chooseOpenFile(const std::string& filter,
                                                     const std::string& initialDir) {
  const QString path = QFileDialog::getOpenFileName(parent_, QString(), Q(initialDir), QtFileFilter(filter));
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<std::string> QtDialogs::chooseSaveFile(SaveDialog, const std::string& filter,
                                                     const std::string& proposedName) {
  // Overwriting is asked by the commands themselves.
  const QString path = QFileDialog::getSaveFileName(parent_, QString(), Q(proposedName), QtFileFilter(filter),
                                                    nullptr, QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<PdfPageChoice> QtDialogs::choosePdfPage(const std::string& path, int pageCount,
                                                      const PdfPageChoice& proposed) {
  return AskPdfPage(parent_, QFileInfo(Q(path)).fileName(), pageCount, proposed);
}

void QtDialogs::showAbout(const std::string& title, const std::string& text) {
  QMessageBox::about(parent_, Q(title), Q(text));
}
