#pragma once

#include <QString>
#include <optional>

#include "image/PdfPages.h"

class QWidget;

// The small dialog asked before a PDF document is opened: which of its
// `pageCount` pages, at how many dots per inch. Nothing when cancelled.
std::optional<PdfPageChoice> AskPdfPage(QWidget* parent, const QString& fileName, int pageCount,
                                        const PdfPageChoice& proposed);
