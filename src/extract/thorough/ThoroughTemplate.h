#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "extract/thorough/PaperModel.h"
#include "state/Bitmap.h"

// One template pixel with ink: its offset from the placement point, the
// direction of its ink vector (red, green, blue; unit length) and the length.
struct TemplatePixel {
  int dx = 0;
  int dy = 0;
  std::array<float, 3> direction{};
  float length = 0;
  std::uint32_t packed = 0;  // the ink itself, rounded, for explaining the picture
  bool edge = false;         // next to a pixel of less than half the strongest ink
};

struct TemplateOffset {
  int dx = 0;
  int dy = 0;
  float expected = 0;  // the template's own (faint) ink length there
};

// The template shifted by a fraction of a pixel. Offsets are relative to the
// placement point, the picture pixel under the unshifted template's top-left
// pixel; a shifted template reaches one pixel beyond on every side.
struct PhaseTemplate {
  float shiftX = 0;
  float shiftY = 0;
  std::vector<TemplatePixel> ink;        // strongest first, spread over the shape
  std::vector<TemplateOffset> hole;      // faint pixels enclosed by the symbol
  std::vector<TemplateOffset> surround;  // faint or inkless pixels around it
  float totalLength = 0;                 // summed ink lengths
  // Where the phase's ink centre lies from the template's centre shifted by
  // the phase: none for phases interpolated from the unit.
  double centreErrorX = 0;
  double centreErrorY = 0;
  // The ink length on the grid -1 .. width, -1 .. height (row by row), and
  // its gradient, for refining centres.
  std::vector<float> grid;
  std::vector<float> gradientX;
  std::vector<float> gradientY;
};

struct ThoroughTemplate {
  int width = 0;  // the trimmed template
  int height = 0;
  double centreX = 0;  // ink-weighted centre, pixel coordinates of the trimmed template
  double centreY = 0;
  bool twoLevel = false;  // nearly all ink at full strength: drawn without anti-aliasing
  // The unit's ink reaches the edge of the user's rectangle: a line through
  // it or a neighbour cut by it may be in the template.
  bool touchesEdge = false;
  float maxLength = 0;
  std::array<float, 3> meanDirection{};
  // Phases: the template shifted by qx / 8 pixel across and qy / 8 down, qx
  // and qy from -3 to 4 (see PhaseIndex; index 0 is unshifted). A two-level
  // template has the unshifted phase only: it has no fractional positions.
  std::vector<PhaseTemplate> phases;
  // The trimmed ink itself, width x height row by row (red, green, blue).
  std::vector<std::array<float, 3>> baseInk;

  bool empty() const { return phases.empty(); }
  int gridWidth() const { return width + 2; }
  int gridHeight() const { return height + 2; }
};

// Where the unit's pixels lie in the picture, when they are an exact copy of
// a part of it.
std::optional<std::array<int, 2>> LocateUnit(const Bitmap& picture, const Bitmap& unit);

// The template of a unit picture: its ink against the paper at `unitLeft`,
// `unitTop` in the picture (or against the typical paper when the unit was
// not found there); connected specks under 3 % of the ink dropped; trimmed
// to the remaining ink. Empty when the unit holds no ink.
ThoroughTemplate BuildThoroughTemplate(const Bitmap& unit, const PaperModel& paper,
                                       std::optional<std::array<int, 2>> unitPosition);

// The same template without the trimmed pixels that `keep` (width x height,
// row by row) leaves out, specks dropped and trimmed again.
// With `instead` (ink per trimmed pixel), the pixels left out take that ink
// rather than none.
ThoroughTemplate WithoutPixels(const ThoroughTemplate& t, const std::vector<char>& keep,
                               const std::vector<std::array<float, 3>>* instead = nullptr);

// A phase of a template from its ink on the grid one pixel larger on every
// side than the trimmed template (row by row), shifted by (sx, sy).
PhaseTemplate PhaseFromInk(const std::vector<std::array<float, 3>>& ink, int gridWidth, int gridHeight,
                           float sx, float sy, float maxLength, bool twoLevel);

// Eighths of a pixel a phase can be shifted by, and the phase index for a
// shift of (eighthsX, eighthsY), each from -3 to 4.
constexpr int PhaseSteps = 8;
constexpr int LeastPhase = -3;
constexpr int PhaseIndex(int eighthsX, int eighthsY) {
  const int row = (eighthsY - LeastPhase) * PhaseSteps + (eighthsX - LeastPhase);
  const int unshifted = -LeastPhase * PhaseSteps - LeastPhase;
  return (row - unshifted + PhaseSteps * PhaseSteps) % (PhaseSteps * PhaseSteps);
}
