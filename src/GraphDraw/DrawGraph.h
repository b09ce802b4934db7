#pragma once

#include <string>

#include "GraphDraw/Canvas.h"
#include "state/GraphTypes.h"

// Paints the whole graph into the rectangle (0, 0)-(W, H) of the canvas:
// background, frame, captions, titles, ticks with labels and grid lines, zero
// lines, markers and every series. `decimalSeparator` is written in the tick
// and marker labels (the user's regional separator). Keeps no state.
//
// On return the pen is black, solid, 1 pixel wide; the brush white and solid;
// the font "Times New Roman" at the fitted size; the font colour as it came in
// unless marker labels were written (then red or blue, the last family's).
void DrawGraph(Canvas& canvas, int W, int H, const TGraphCaps& caps, const TGraphData& data,
               const std::string& decimalSeparator);

// The font name of all graph texts.
inline constexpr const char* GraphFontName = "Times New Roman";
