#pragma once

#include <string>

#include "app/AppState.h"
#include "app/Ui.h"

// File > "Load Bitmap": reads a picture and starts editing afresh from it.
// A picture that cannot be read changes nothing but the dialog's directory.
void LoadBitmapCommand(AppState& state, Ui& ui);
// The same for a path chosen elsewhere (the command line of the program).
bool LoadBitmapFromPath(AppState& state, Ui& ui, const std::string& path);

// File > "Save Bitmap": writes WorkImage under a name ending in ".BMP".
void SaveBitmapCommand(AppState& state, Ui& ui);

// Edit > "Undo all": back to the picture as it was loaded.
void UndoAllCommand(AppState& state, Ui& ui);

// The name "Save Bitmap" writes for a chosen name: its extension replaced by ".BMP".
std::string BitmapSaveName(const std::string& chosen);
