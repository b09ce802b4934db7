#pragma once

#include <vector>

#include "extract/SymbolScan.h"

// The fast scan's ways of running: with and without the worker thread and the
// vector kernel, handling messages at nearly every opportunity.
std::vector<ScanOptions> EveryScanOptionSet();
