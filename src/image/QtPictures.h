#pragma once

#include <QImage>

#include "state/Bitmap.h"

// Conversions between the 24-bit picture and Qt's images.

// Every pixel's colour as it is, alpha dropped (a null image gives an empty
// picture; one that cannot be converted for want of memory as well).
Bitmap PictureFromImage(const QImage& image);

// Opaque pixels as they are, transparent ones laid on white paper, as a page
// shows them.
Bitmap PictureOnWhite(const QImage& image);

// The picture as a 24-bit image (null when memory runs out).
QImage ImageFromPicture(const Bitmap& picture);
