#pragma once

#include <cstdint>
#include <string>

#include "image/PictureLimits.h"
#include "state/Bitmap.h"
#include "state/PdfPageChoice.h"

// Whether the file starts as a PDF document does ("%PDF-").
bool IsPdfFile(const std::string& path);

// The number of pages, or 0 with `error` saying why the document cannot be read.
int PdfPageCount(const std::string& path, std::string& error);

// Renders one page on white paper into a 24-bit picture. The page's size at
// the chosen resolution is checked against the size limits before anything
// is rendered. On failure `error` names the problem and `out` is unchanged.
bool LoadPdfPage(const std::string& path, const PdfPageChoice& choice, Bitmap& out, std::string& error,
                 std::int64_t maxPixels = MaxPicturePixels);
