#include "extract/ChannelExtraction.h"

#include <cctype>
#include <cstdint>

#include "Stringop/CharacterText.h"
#include "Stringop/DecimalReading.h"
#include "extract/DataPointList.h"
#include "extract/ThoroughExtraction.h"
#include "extract/channels/ChannelSearch.h"
#include "state/AppState.h"
#include "state/Ui.h"

std::optional<ChannelCount> ParseChannelCount(const std::string& text) {
  const std::string t = TrimControlChars(text);
  std::string lower;
  for (const char c : t) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower == "auto") return ChannelCount{};
  std::int32_t value = 0;
  if (!ReadWholeNumber(t, value) || value < 1) return std::nullopt;
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
  ShowMatchFields(state, ui);
  ui.setEnabled(Control::ChannelsField, checked);
}
