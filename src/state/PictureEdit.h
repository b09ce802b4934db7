#pragma once

#include <string>
#include <vector>

#include "state/Rect.h"

// One edit of the picture as the window's commands make it, kept in the
// order made so that it can be made again on another picture.
struct EditStep {
  enum class Kind { GreyLimit, DiscardColour, Reduce, Rotate, Crop, ClearInside, ClearOutside };
  Kind kind = Kind::GreyLimit;
  std::string text{};  // the grey limit, or the angle of a rotation's one turn, as typed
  Rect rect{};         // inclusive picture rectangle of the region edits
  // A rotation dialog's turns, each angle as typed, when it made more than
  // one: every turn starts from the picture the dialog opened on.
  std::vector<std::string> turns{};
};
