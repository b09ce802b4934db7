#pragma once

#include <optional>
#include <string>

struct AppState;
class Ui;

// What the "Channels" field (or --channels) asks for: the grid's spacing
// found from the picture ("auto"), or the total number of channels across it.
struct ChannelCount {
  std::optional<int> channels;  // none: auto
};

// "auto" (any case, spaces around allowed) or a whole number of at least 1;
// nothing for 0, a negative number, a fraction, text or an empty field.
std::optional<ChannelCount> ParseChannelCount(const std::string& text);

// The message for a Channels text that ParseChannelCount refuses.
std::string ChannelCountRefusal(const std::string& text);

// The scan of a Create ASCII run with one point per channel: reads the
// calibration, finds the channel grid and one symbol per channel in
// WorkImage, and turns each channel's point (its column on the grid, its
// fitted row) into a data point. The count ("512 channels, 509 found") is
// kept in ChannelReport. Without a grid the thorough mode's points are
// taken and the line saying why is returned, for the user once the run is
// over; otherwise nothing.
std::string ExtractDataPointsPerChannel(AppState& state, Ui& ui, const ChannelCount& count);

// Edit > "One point per channel" checked or unchecked. While it is on, the
// thorough mode's matching is used ("Match %" and "Strict Match" disabled)
// and the "Channels" field is offered.
void OnePointPerChannelClick(AppState& state, Ui& ui, bool checked);
