#include "extract/PrepareTemplate.h"

#include <utility>

#include "Stringop/NumberTextEditing.h"
#include "extract/TemplateMeasures.h"
#include "state/AppState.h"
#include "state/Ui.h"

void PrepareTemplate(AppState& state, Ui& ui) {
  // Not clamped: a negative or above-100 percentage is used as typed.
  state.MatchFraction = TextToNumber(ui.fieldText(Field::Match), 6) / 100;
  state.UnitTemplate = state.UnitImagePicture;

  TemplateMeasures m = MeasureTemplate(state.UnitTemplate);
  state.UnitTemplate = std::move(m.trimmed);
  state.UnitImagePicture = state.UnitTemplate;
  ui.unitPictureChanged();

  state.TemplateCentreX = m.centreX;
  state.TemplateCentreY = m.centreY;
  state.TemplatePixelCount = m.pixelCount;
  state.TemplateWeight = m.weight;
}
