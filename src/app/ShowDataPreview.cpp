#include "Stringop/NumberText.h"
#include "app/PreviewCommands.h"

// Kept apart from the other preview commands so that they link without the
// number-text module.
void ShowDataPreview(AppState& state, Ui& ui) {
  ShowDataPreviewUsing(state, ui, &TextToNumber);
}
