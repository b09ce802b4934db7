#pragma once

#include <QPainter>
#include <QPdfWriter>
#include <string>

// A PDF document of `pages` pages of `width` x `height` points, all white but
// for a black square `square` points wide at the top left of the first.
inline void WriteTestPdf(const std::string& path, double width, double height, int pages, int square) {
  QPdfWriter writer(QString::fromStdString(path));
  writer.setResolution(72);
  writer.setPageSize(QPageSize(QSizeF(width, height), QPageSize::Point));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  QPainter painter(&writer);
  painter.fillRect(QRect(0, 0, square, square), Qt::black);
  for (int page = 1; page < pages; ++page) writer.newPage();
}
