#pragma once

struct AppState;
class Ui;

// Start of every extraction run: reads the Match % field into MatchFraction,
// takes the template from the unit picture, trims and measures it, and stores
// the trimmed template in both UnitTemplate and the unit picture.
void PrepareTemplate(AppState& state, Ui& ui);
