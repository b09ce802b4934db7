#include "app/PreviewCommands.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "Stringop/NumberTextEditing.h"
#include "extract/DataPointList.h"

bool RebuildPreviewSeries(AppState& state) {
  const std::size_t n = std::min(state.VelocityArray.size(), state.CountsArray.size());
  if (n == 0) return false;
  TGraphSingleData series;
  series.SymbolRadius = 2;
  series.LineWidth = 0;
  series.SeriesColor = 0;
  series.X.assign(state.VelocityArray.begin(), state.VelocityArray.begin() + static_cast<std::ptrdiff_t>(n));
  series.Y.assign(state.CountsArray.begin(), state.CountsArray.begin() + static_cast<std::ptrdiff_t>(n));
  series.Visible.assign(n, true);
  state.PreviewSeries.assign(1, std::move(series));
  return true;
}

void PreviewEscape(AppState& state, Ui& ui) {
  state.StopRequested = true;
  ui.setStatusText(StatusProgress, "Status: Stopping...");
}

void ShowDataPreview(AppState& state, Ui& ui) {
  constexpr int FieldDigits = 6;
  state.VminValue = TextToNumber(ui.fieldText(Field::Vmin), FieldDigits);
  state.VmaxValue = TextToNumber(ui.fieldText(Field::Vmax), FieldDigits);
  state.MinValue = TextToNumber(ui.fieldText(Field::Min), FieldDigits);
  state.MaxValue = TextToNumber(ui.fieldText(Field::Max), FieldDigits);
  ui.setPreviewCaption(PreviewCaption(state.DataPointCount));
  ui.showPreview();
  ui.repaintPreview();
}
