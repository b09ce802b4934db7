#include "cli/CliCommands.h"

#include <algorithm>

#include "app/RunExtraction.h"
#include "app/SetupCommands.h"
#include "extract/ChannelExtraction.h"
#include "extract/ThoroughExtraction.h"
#include "extract/UnitCapture.h"
#include "image/BitmapFile.h"
#include "image/EditCommands.h"
#include "image/FileCommands.h"
#include "image/RegionEdits.h"
#include "image/RotationCommands.h"
#include "output/AsciiFile.h"
#include "output/PointMarkers.h"
#include "state/Viewport.h"

namespace {

std::string RectText(const Rect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom);
}

// The rectangle clipped to the picture as a selection is; false when it
// covers no pixel of it.
bool ClipToPicture(const Bitmap& picture, Rect& r) {
  NormaliseBitmapRect(r, picture.width(), picture.height());
  return r.Left >= 0;
}

CliOutcome ApplyRegionEdit(AppState& state, const EditStep& step) {
  Rect r = step.rect;
  if (!ClipToPicture(state.WorkImage, r)) {
    return {ExitUsage, "the rectangle " + RectText(step.rect) + " covers no pixel of the " +
                           std::to_string(state.WorkImage.width()) + " x " +
                           std::to_string(state.WorkImage.height()) + " picture"};
  }
  switch (step.kind) {
    case EditStep::Kind::Crop:
      CropToArea(state.WorkImage, r);
      break;
    case EditStep::Kind::ClearInside:
      ClearInside(state.WorkImage, r);
      break;
    default:
      ClearOutside(state.WorkImage, r);
      break;
  }
  state.BaseImage = state.WorkImage;  // the region edits commit
  return {};
}

CliOutcome ApplyEdit(AppState& state, HeadlessUi& ui, const EditStep& step) {
  switch (step.kind) {
    case EditStep::Kind::GreyLimit: {
      ui.setFieldText(Field::WhiteLimit, step.text);
      const int errorsBefore = ui.errorCount;
      GreyLimitCommand(state, ui);
      if (ui.errorCount != errorsBefore)
        return {ExitUsage, "--grey-limit needs a whole number, not '" + PrintableText(step.text) + "'"};
      return {};
    }
    case EditStep::Kind::DiscardColour:
      DiscardColourCommand(state, ui);
      return {};
    case EditStep::Kind::Reduce:
      ReduceBitmapCommand(state, ui);
      return {};
    case EditStep::Kind::Rotate: {
      // As in the window: open the dialog, type each angle and turn, close.
      // A turn that cannot be made (a canvas beyond the size limit) ends the command.
      const int errorsBefore = ui.errorCount;
      ui.quiet = true;
      RotateBitmapCommand(state, ui, [&] {
        const std::vector<std::string> turns =
            step.turns.empty() ? std::vector<std::string>{step.text} : step.turns;
        for (const std::string& angle : turns) {
          ui.setFieldText(Field::RotateAngle, angle);
          RotateClockwiseCommand(state, ui, [](bool) {});
        }
      });
      ui.quiet = false;
      if (ui.errorCount != errorsBefore) return {ExitFailure, ui.lastError};
      return {};
    }
    default:
      return ApplyRegionEdit(state, step);
  }
}

}  // namespace

CliOutcome LoadAndEdit(AppState& state, HeadlessUi& ui, const CliCommand& command) {
  ui.quiet = true;  // a load error becomes the one-line message below
  const bool loaded = LoadBitmapFromPath(state, ui, command.picture, command.pdf);
  ui.quiet = false;
  if (!loaded) return {ExitFailure, ui.lastError};
  for (const EditStep& step : command.edits) {
    CliOutcome outcome = ApplyEdit(state, ui, step);
    if (outcome.status != ExitSuccess) return outcome;
  }
  return {};
}

CliOutcome RunExtractCommand(AppState& state, HeadlessUi& ui, const CliCommand& command, std::string& text) {
  text.clear();
  std::optional<ExtractionSetup> setup;
  CliCommand edited = command;
  if (!command.setup.empty()) {
    std::string why;
    setup = ReadSetupFile(command.setup, why);
    if (!setup) return {ExitFailure, "cannot open the setup " + command.setup + ": " + why};
    // The setup's edits first, then those on the line.
    edited.edits = setup->edits;
    edited.edits.insert(edited.edits.end(), command.edits.begin(), command.edits.end());
  }
  CliOutcome outcome = LoadAndEdit(state, ui, edited);
  if (outcome.status != ExitSuccess) return outcome;

  const auto given = [&](const char* option) { return command.given.count(option) > 0; };
  if (setup) ApplySetup(state, ui, *setup);
  if (!setup || given("--unit")) {
    Rect unit = *command.unit;
    if (!ClipToPicture(state.WorkImage, unit)) {
      return {ExitUsage, "--unit " + RectText(*command.unit) + " covers no pixel of the " +
                             std::to_string(state.WorkImage.width()) + " x " +
                             std::to_string(state.WorkImage.height()) + " picture"};
    }
    CaptureUnitTemplate(state, ui, unit);
  }
  // The line's texts and options; with a setup only those given override it.
  const auto field = [&](Field f, const char* option, const std::string& value) {
    if (!setup || given(option)) ui.setFieldText(f, value);
  };
  field(Field::Match, "--match", command.match);
  field(Field::Vmin, "--vmin", command.vmin);
  field(Field::Vmax, "--vmax", command.vmax);
  field(Field::Min, "--min", command.min);
  field(Field::Max, "--max", command.max);
  if (!setup || given("--strict")) ui.strict = command.strict;
  if (!setup || given("--thorough")) ThoroughMatchingClick(state, ui, command.thorough);
  if (command.channels) {
    ui.setFieldText(Field::Channels, *command.channels);
    OnePointPerChannelClick(state, ui, true);
  }
  if (!command.saveSetup.empty()) {
    // The unit as taken, before a run trims it.
    ExtractionSetup saved = CurrentSetup(state, ui);
    saved.edits = edited.edits;
    std::string why;
    if (!WriteSetupFile(command.saveSetup, saved, why))
      return {ExitFailure, "cannot write the setup " + command.saveSetup + ": " + why};
  }
  CreateBtnClick(state, ui);
  ui.finishProgress();

  if (state.DataPointCount > 0) {
    text = DataFileText(state, command.format, ui.statusText(StatusData), ui.statusText(StatusFile));
  }
  return {};
}

CliOutcome RunEditCommand(AppState& state, HeadlessUi& ui, const CliCommand& command) {
  CliOutcome outcome = LoadAndEdit(state, ui, command);
  if (outcome.status != ExitSuccess) return outcome;
  std::string error;
  if (!SaveBitmapFile(command.output, state.WorkImage, error)) return {ExitFailure, error};
  return {};
}

CliOutcome WriteOverlayPicture(const AppState& state, const std::string& path) {
  Bitmap picture = state.WorkImage;
  DrawMarkers(picture, state.FoundCentres, static_cast<std::size_t>(std::max(0, state.DataPointCount)),
              state.UnitTemplate);
  std::string error;
  if (!SavePngFile(path, picture, error)) return {ExitFailure, error};
  return {};
}
