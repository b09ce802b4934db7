#pragma once

#include <functional>
#include <optional>
#include <string>

#include "state/AppState.h"
#include "state/Ui.h"

// File > "Load Bitmap": reads a picture and starts editing afresh from it.
// A picture that cannot be read changes nothing but the dialog's directory.
void LoadBitmapCommand(AppState& state, Ui& ui);
// The same for a path chosen elsewhere (the command line). Any picture format
// the readers know is opened; of a PDF document the page and resolution in
// `pdf` are rendered, or, without them, the ones the user chooses.
bool LoadBitmapFromPath(AppState& state, Ui& ui, const std::string& path,
                        const std::optional<PdfPageChoice>& pdf = std::nullopt);
// A picture file dropped on the window or picked from the recent ones: as
// Load Bitmap once its file is chosen.
bool LoadPictureCommand(AppState& state, Ui& ui, const std::string& path);
// Edit > "Paste": the picture on the clipboard, `width` x `height` pixels, as
// Load Bitmap would load it from a file; `convert` is asked for its pixels
// once the size is known to be allowed. The status bar's path reads "(clipboard)".
inline constexpr const char* ClipboardSource = "(clipboard)";
bool PastePictureCommand(AppState& state, Ui& ui, int width, int height,
                         const std::function<Bitmap()>& convert);

// File > "Save Bitmap": writes WorkImage under a name ending in ".BMP".
void SaveBitmapCommand(AppState& state, Ui& ui);

// Edit > "Undo all": back to the picture as it was loaded.
void UndoAllCommand(AppState& state, Ui& ui);

// The name "Save Bitmap" writes for a chosen name: its extension replaced by ".BMP".
std::string BitmapSaveName(const std::string& chosen);
