#include "extract/ChannelExtraction.h"

#include <cctype>
#include <charconv>

#include "app/AppState.h"
#include "app/Ui.h"
#include "extract/DataPointList.h"
#include "extract/ThoroughExtraction.h"
#include "extract/channels/ChannelSearch.h"

namespace {

std::string Trimmed(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
  while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
  return text.substr(first, last - first);
}

}  // namespace

std::optional<ChannelCount> ParseChannelCount(const std::string& text) {
  const std::string t = Trimmed(text);
  std::string lower;
  for (const char c : t) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower == "auto") return ChannelCount{};
  int value = 0;
  const char* first = t.data();
  const char* last = t.data() + t.size();
  if (first != last && *first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, last, value);
  if (first == last || ec != std::errc() || end != last || value < 1) return std::nullopt;
  return ChannelCount{value};
}

std::string ChannelCountRefusal(const std::string& text) {
  return "Channels must be \"auto\" or a whole number of channels of at least 1, not \"" + text + "\".";
}

std::string ExtractDataPointsPerChannel(AppState& state, Ui& ui, const ChannelCount& count) {
  BeginSpectrum(state, ui);
  ThoroughRunObserver observer(state, ui);
  ChannelSearchOptions options;
  options.channels = count.channels;
  const ChannelSearchResult result =
      FindChannelPoints(state.WorkImage, state.UnitImagePicture, observer, options);
  RecordCentres(state, ui, result.points);
  if (result.stopped) return {};
  if (!result.grid) return result.report;  // the thorough mode's points stand
  state.ChannelReport = result.report;
  return {};
}

void OnePointPerChannelClick(AppState& state, Ui& ui, bool checked) {
  state.OnePointPerChannel = checked;
  const bool matchUsed = !checked && !state.ThoroughMatching;
  ui.setEnabled(Control::MatchField, matchUsed);
  ui.setEnabled(Control::StrictMatch, matchUsed);
  ui.setEnabled(Control::ChannelsField, checked);
}
