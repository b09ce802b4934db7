#pragma once

#include "devset/DevSet.h"

// Small builders shared by the recipes of the development set.
namespace devset {

inline Marker MakeMarker(Shape shape, bool filled, double size, Rgb colour, double stroke = 1) {
  Marker m;
  m.shape = shape;
  m.filled = filled;
  m.size = size;
  m.stroke = stroke;
  m.colour = colour;
  return m;
}

// A filled marker ringed by an outline in another colour.
inline Marker Edged(Shape shape, double size, Rgb colour, Rgb edge, double stroke = 1) {
  Marker m = MakeMarker(shape, true, size, colour, stroke);
  m.edged = true;
  m.edge = edge;
  return m;
}

// A figure on a page: the plot area inside the picture, with room for
// labels and text around it.
inline PictureRecipe Page(const char* name, const char* group, unsigned seed, int width, int height,
                          Marker marker, double spacing) {
  PictureRecipe s;
  s.name = name;
  s.group = group;
  s.seed = seed;
  s.width = width;
  s.height = height;
  s.ticks = false;
  s.target.marker = marker;
  s.target.spacing = spacing;
  s.unitMargin = 3;
  return s;
}

// Room around the plot: pixels for labels, and shares of the page for text.
inline void Room(PictureRecipe& s, Margins pixels, Margins shares = {}) {
  s.margins = pixels;
  s.marginShares = shares;
}

inline Axis Ticks(int ticks, double from, double step, int decimals, const char* title = "") {
  Axis a;
  a.ticks = ticks;
  a.from = from;
  a.step = step;
  a.decimals = decimals;
  a.title = title;
  return a;
}

inline Paragraph Prose(Font font, double x, double y, double width, int lines) {
  Paragraph p;
  p.font = font;
  p.x = x;
  p.y = y;
  p.width = width;
  p.lines = lines;
  return p;
}

inline TextLine Line(const char* text, Font font, double x, double y) {
  TextLine t;
  t.text = text;
  t.font = font;
  t.x = x;
  t.y = y;
  return t;
}

}  // namespace devset
