#include "ui/PdfPageDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

std::optional<PdfPageChoice> AskPdfPage(QWidget* parent, const QString& fileName, int pageCount,
                                        const PdfPageChoice& proposed) {
  QDialog dialog(parent);
  dialog.setWindowTitle("Open PDF Page");
  auto* layout = new QVBoxLayout(&dialog);  // owned by the dialog, as everything below
  layout->addWidget(new QLabel(
      QString("%1 has %2 %3.").arg(fileName).arg(pageCount).arg(pageCount == 1 ? "page" : "pages"), &dialog));

  auto* form = new QFormLayout;
  layout->addLayout(form);
  auto* page = new QSpinBox(&dialog);
  page->setRange(1, std::max(pageCount, 1));
  page->setValue(std::clamp(proposed.page, 1, std::max(pageCount, 1)));
  page->setObjectName("page");
  form->addRow("Page:", page);
  auto* dpi = new QSpinBox(&dialog);
  dpi->setRange(MinPdfDpi, MaxPdfDpi);
  dpi->setSingleStep(50);
  dpi->setValue(std::clamp(proposed.dpi, MinPdfDpi, MaxPdfDpi));
  dpi->setSuffix(" dpi");
  dpi->setObjectName("dpi");
  form->addRow("Resolution:", dpi);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);

  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return PdfPageChoice{page->value(), dpi->value()};
}
