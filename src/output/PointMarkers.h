#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "state/AppState.h"
#include "state/Bitmap.h"

// The marker drawn at each found point, in the window over the picture and
// by the command line into a copy of it: a ring just around the symbol with
// a white halo under it, and a dot at the centre.

// A colour that stands out from the symbol's own (the unit template's mean
// non-white colour) and from white paper: of a few vivid colours, the one
// farthest from both.
Colour MarkerColour(const Bitmap& unit);

// The ring's radius in screen pixels when the picture is shown `scale`
// screen pixels per picture pixel: a little beyond the symbol, at least a
// few pixels, at most a few dozen.
double MarkerRadius(const Bitmap& unit, double scale);

// The marker as premultiplied 0xAARRGGBB pixels, (2 half + 1) on a side; its
// centre is the middle of pixel (half, half).
struct MarkerSprite {
  int half = 0;
  std::vector<std::uint32_t> pixels;
  int side() const { return 2 * half + 1; }
};
// A selected point's marker has its ring filled with a wash of the colour.
MarkerSprite MakeMarkerSprite(double radius, Colour colour, bool selected = false);

// The first `count` centres' markers drawn onto the picture at scale 1, each
// centred on the pixel its centre falls in.
void DrawMarkers(Bitmap& picture, const std::vector<PictureCentre>& centres, std::size_t count,
                 const Bitmap& unit);
