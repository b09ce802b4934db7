#pragma once

// Which page of a PDF document to take as the picture, and how finely to
// render it.
struct PdfPageChoice {
  int page = 1;  // counted from 1
  int dpi = 300;
};

inline constexpr int MinPdfDpi = 10;
inline constexpr int MaxPdfDpi = 2400;
