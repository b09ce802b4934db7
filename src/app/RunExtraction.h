#pragma once

#include "state/AppState.h"
#include "state/Ui.h"

// "Create ASCII": prepares the template, shows the preview, scans the picture
// and builds the data list, and reports whether the run completed ("Status:
// Ready") or was stopped with Esc ("Status: Uncompleted"). With
// ThoroughMatching the thorough mode scans instead (no template preparation);
// with OnePointPerChannel one point per channel is taken, once the
// "Channels" field reads "auto" or a whole number (else a message says so
// and nothing runs). While it runs the
// button panel is disabled and commands that would change the picture, the
// template or the data do nothing (RunInProgress).
void CreateBtnClick(AppState& state, Ui& ui);
