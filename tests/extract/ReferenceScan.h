#pragma once

#include "extract/SymbolScan.h"
#include "state/Bitmap.h"
#include "state/ScanObserver.h"

// The scan in its plainest form, every step as the detection rules state it:
// pending messages and the stop flag at every column and every erased
// template column, ScoreAt over every anchor at every non-white pixel,
// per-pixel access throughout. The yardstick of the fast scan.
void ReferenceScanForSymbols(Bitmap& picture, const Bitmap& unit, const ScanParameters& parameters,
                             ScanObserver& observer);
