#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Plotting records of the graph module.

using TSPD = std::vector<double>;  // dynamic array of double
using TSPDV = std::vector<bool>;   // one drawn/skipped flag per point

// Pen style codes of the grid lines.
enum PenStyleCode : std::uint8_t {
  psSolid = 0,
  psDash = 1,
  psDot = 2,
  psDashDot = 3,
  psDashDotDot = 4,
  psClear = 5,
  psInsideFrame = 6,
};

// The description of one graph. The member initialisers are the defaults the
// graph module gives the record when it starts: both axes automatic.
struct TGraphCaps {
  std::string TitleLeft;
  std::string TitleRight;
  std::string XCaption = "X";
  std::string YCaption = "Y";
  double XMin = 0.0;
  double XMax = 0.0;
  double YMin = 0.0;
  double YMax = 0.0;
  bool XMajorGrid = false;
  bool XMinorGrid = false;
  bool YMajorGrid = false;
  bool YMinorGrid = false;
  std::uint8_t GridStyle = psSolid;
  TSPD XMarkers;
  TSPD YMarkers;
  bool ZeroLines = false;
};

// One series of points. Its point count is the smaller of the lengths of X
// and Y; Visible has at least that many entries.
struct TGraphSingleData {
  TSPD X;
  TSPD Y;
  TSPDV Visible;
  std::uint8_t SymbolRadius = 0;
  std::uint8_t LineWidth = 0;
  std::uint32_t SeriesColor = 0;  // 0x00BBGGRR
};

// Series drawn in array order, later ones over earlier ones.
using TGraphData = std::vector<TGraphSingleData>;
