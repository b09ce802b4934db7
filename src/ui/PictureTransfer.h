#pragma once

#include <QString>

class QMimeData;
struct AppState;
class Ui;

// Pictures handed over by drag and drop or through the clipboard.

// The first local file among the data's links (a file manager's drag or
// copy), or an empty text.
QString LocalFileOf(const QMimeData& data);

// Edit > "Paste": the clipboard's picture, or the picture file copied in a
// file manager; anything else is refused with a message.
void PasteFromClipboard(AppState& state, Ui& ui);
