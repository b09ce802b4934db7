#pragma once

#include <QImage>

#include "state/Bitmap.h"
#include "state/Rect.h"

// Draws the whole picture stretched into `display` (client coordinates, may
// reach outside the target), touching only the target pixels inside `clip`.
// Magnified views repeat pixels; shrunk views AND the covered pixels together
// so thin dark lines stay visible. Only the visible part is computed.
void RenderPicture(const Bitmap& picture, const Rect& display, const Rect& clip, QImage& target);
