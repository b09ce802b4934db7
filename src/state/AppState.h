#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/Bitmap.h"
#include "state/GraphTypes.h"
#include "state/PictureEdit.h"
#include "state/Rect.h"

// A found symbol's centre on the picture: column and row, pixel-index
// coordinates (pixel k's centre is at k), between pixels where the mode
// gives it so.
struct PictureCentre {
  double x = 0.0;
  double y = 0.0;
};

// The application's whole working state: one instance per process, created at
// start-up and handed by reference to every command. Names and initial values
// are those every command relies on.
struct AppState {
  // The four bitmaps, created empty before any window.
  Bitmap WorkImage;     // shown in the main window and edited
  Bitmap BaseImage;     // the last committed picture
  Bitmap DiskImage;     // the picture exactly as loaded, for "Undo all"
  Bitmap UnitTemplate;  // the data-point symbol
  // The picture of the UnitImage control, taken as a bitmap: the template's
  // store between runs, read by detection at the start of every run.
  Bitmap UnitImagePicture;

  // Extracted data: only the first DataPointCount entries count.
  TSPD VelocityArray;
  TSPD CountsArray;
  std::int32_t DataPointCount = 0;
  // Where each data point was found on the picture, in the lists' order;
  // emptied by every command that changes the picture or loads another, as
  // they no longer match it.
  std::vector<PictureCentre> FoundCentres;
  TGraphCaps PlotCaptions;   // captions and ranges of the preview plot
  TGraphData PreviewSeries;  // rebuilt by the preview window on each paint

  // Extraction parameters; the edit fields are the user's copy.
  double MatchFraction = 0.75;
  double VminValue = -10.0;
  double VmaxValue = 10.0;
  double MinValue = 0.9;
  double MaxValue = 1.0;
  std::int32_t GreyLimit = 255;

  // Unit template measures.
  double TemplateWeight = 1.0;
  std::int32_t TemplateCentreX = 0;
  std::int32_t TemplateCentreY = 0;
  std::int32_t TemplatePixelCount = 0;

  // View and selection.
  std::int32_t Zoom = 1;
  Rect ViewArea;
  Rect DisplayRect;
  Rect SourceRect;
  bool SelectionDragging = false;
  bool SelectionActive = false;
  Rect SelectionScreenRect;  // start X, start Y, end X, end Y, as the mouse made them
  double RotationTotal = 0.0;

  // Run flags.
  bool StopRequested = false;
  bool AsciiSaved = true;
  bool MarkerCreated = false;
  bool RunInProgress = false;  // a Create ASCII run is under way
  // Create ASCII runs the thorough mode (Edit > "Thorough matching"); off at
  // every start and never stored in the settings.
  bool ThoroughMatching = false;
  // Create ASCII takes one point per velocity channel (Edit > "One point per
  // channel", with the "Channels" field); likewise off at every start.
  bool OnePointPerChannel = false;
  // The last such run's count in one line, "512 channels, 509 found"; empty
  // when no channel grid was found.
  std::string ChannelReport;

  // View > "Show found points": the found centres drawn over the picture.
  bool ShowFoundPoints = true;
  // View > "Show unmatched ink": the ink no found symbol explains tinted.
  bool ShowUnmatchedInk = false;

  // The edits made to the picture since it was loaded (or restored by "Undo
  // all"), in order; the rotation dialog's turns while it is open; and the
  // edits that had been made when the unit was taken.
  std::vector<EditStep> PictureEdits;
  std::vector<std::string> RotationTurns;
  std::vector<EditStep> UnitEdits;

  // Paths, set once at start-up.
  std::string ProgramDir;
  // Where the four files below live: ProgramDir, or the user's configuration
  // folder when ProgramDir cannot be written.
  std::string FilesDir;
  std::string SettingsPath;
  std::string ExchangeListPath;
  std::string MarkerPath;

  // Dialog memory: the open dialog's initial directory and the file names the
  // two save dialogs propose next.
  std::string OpenDialogDir;
  std::string SaveBitmapFileName;
  std::string SaveAsciiFileName;
};
