#include "app/SetupCommands.h"

#include "Stringop/PathText.h"
#include "extract/ChannelExtraction.h"
#include "extract/ThoroughExtraction.h"

namespace {

constexpr const char* SetupFilter = "Quorvix setup|*.qvsetup";
constexpr const char* SetupExtension = ".qvsetup";

bool EndsWith(const std::string& text, const std::string& end) {
  if (text.size() < end.size()) return false;
  for (std::size_t i = 0; i < end.size(); ++i) {
    const char a = text[text.size() - end.size() + i];
    if ((a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) != end[i]) return false;
  }
  return true;
}

}  // namespace

ExtractionSetup CurrentSetup(const AppState& state, const Ui& ui) {
  ExtractionSetup s;
  s.unit = state.UnitImagePicture;
  s.vmin = ui.fieldText(Field::Vmin);
  s.vmax = ui.fieldText(Field::Vmax);
  s.min = ui.fieldText(Field::Min);
  s.max = ui.fieldText(Field::Max);
  s.match = ui.fieldText(Field::Match);
  s.strict = ui.strictMatchChecked();
  s.thorough = state.ThoroughMatching;
  s.onePointPerChannel = state.OnePointPerChannel;
  s.channels = ui.fieldText(Field::Channels);
  if (s.channels.empty()) s.channels = "auto";  // the field's text before anything is typed
  s.edits = state.UnitEdits;
  return s;
}

void ApplySetup(AppState& state, Ui& ui, const ExtractionSetup& s) {
  state.UnitTemplate = s.unit;
  state.UnitImagePicture = s.unit;
  state.UnitEdits = s.edits;
  ui.unitPictureChanged();
  ui.setFieldText(Field::Vmin, s.vmin);
  ui.setFieldText(Field::Vmax, s.vmax);
  ui.setFieldText(Field::Min, s.min);
  ui.setFieldText(Field::Max, s.max);
  ui.setFieldText(Field::Match, s.match);
  ui.setFieldText(Field::Channels, s.channels);
  ui.setOptionChecked(Option::StrictMatch, s.strict);
  ui.setOptionChecked(Option::ThoroughMatching, s.thorough);
  ThoroughMatchingClick(state, ui, s.thorough);
  ui.setOptionChecked(Option::OnePointPerChannel, s.onePointPerChannel);
  OnePointPerChannelClick(state, ui, s.onePointPerChannel);
  ui.setEnabled(Control::CreateAscii, true);
}

void SaveSetupCommand(AppState& state, Ui& ui) {
  if (state.RunInProgress) return;
  if (state.UnitImagePicture.empty()) {
    ui.showMessage("There is no unit to save yet: select a symbol and press \"Set as Unit\" first.");
    return;
  }
  const auto chosen = ui.chooseSaveFile(SaveDialog::Setup, SetupFilter, {});
  if (!chosen) return;
  const std::string path = EndsWith(*chosen, SetupExtension) ? *chosen : *chosen + SetupExtension;
  if (FileExists(path) && ui.ask(QuestionType::Confirmation, QuestionButtons::YesNo,
                                 "A file with the name " + FileNameOfPath(path) +
                                     " already exists. Overwrite ?") != Answer::Yes) {
    return;
  }
  std::string why;
  if (!WriteSetupFile(path, CurrentSetup(state, ui), why))
    ui.showError("Cannot write the setup " + path + ": " + why);
}

void OpenSetupCommand(AppState& state, Ui& ui) {
  if (state.RunInProgress) return;
  const auto chosen = ui.chooseOpenFile(SetupFilter, state.OpenDialogDir);
  if (!chosen) return;
  std::string why;
  const std::optional<ExtractionSetup> setup = ReadSetupFile(*chosen, why);
  if (!setup) {
    ui.showError("Cannot open the setup " + *chosen + ": " + why);
    return;
  }
  ApplySetup(state, ui, *setup);
}
