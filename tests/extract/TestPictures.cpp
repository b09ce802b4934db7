#include "extract/TestPictures.h"

Bitmap PictureFromArt(std::initializer_list<std::string> rows, const std::map<char, Colour>& palette) {
  std::map<char, Colour> colours = {{'X', BlackColour},
                                    {'R', MakeColour(255, 0, 0)},
                                    {'G', MakeColour(0, 255, 0)},
                                    {'B', MakeColour(0, 0, 255)}};
  for (const auto& [key, colour] : palette) colours[key] = colour;
  const int height = static_cast<int>(rows.size());
  const int width = height == 0 ? 0 : static_cast<int>(rows.begin()->size());
  Bitmap b(width, height);
  int y = 0;
  for (const std::string& row : rows) {
    for (int x = 0; x < width && x < static_cast<int>(row.size()); ++x) {
      if (row[static_cast<std::size_t>(x)] != '.')
        b.setPixel(x, y, colours.at(row[static_cast<std::size_t>(x)]));
    }
    ++y;
  }
  return b;
}

void StampSymbol(Bitmap& picture, const Bitmap& symbol, int left, int top) {
  for (int y = 0; y < symbol.height(); ++y) {
    for (int x = 0; x < symbol.width(); ++x) {
      const Colour c = symbol.pixel(x, y);
      if (!IsWhite(c) && picture.contains(left + x, top + y)) picture.setPixel(left + x, top + y, c);
    }
  }
}
