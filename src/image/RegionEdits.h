#pragma once

#include "state/Bitmap.h"
#include "state/Rect.h"

// The region edits take an inclusive picture rectangle, both corners inside
// the picture, as the selection mapping gives it. A rectangle with a negative
// left edge (the empty selection, all -1) or with its corners out of order
// covers nothing: the edits then leave the picture as it is.
bool CoversPixels(const Rect& area);

// Paints the rectangle, edges included, white.
void ClearInside(Bitmap& picture, const Rect& area);

// Paints everything around the rectangle white, in four bands: the rows above
// it, the columns left of it, the columns right of it from its top row down,
// the rows below it from its left column on. Empty bands are skipped.
void ClearOutside(Bitmap& picture, const Rect& area);

// Cuts the picture down to the rectangle.
void CropToArea(Bitmap& picture, const Rect& area);
