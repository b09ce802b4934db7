#pragma once

#include <QPointF>
#include <QUndoStack>
#include <Qt>
#include <vector>

#include "extract/PointEdits.h"
#include "ui/FoundPointsOverlay.h"

class PictureArea;
class QMouseEvent;
class Ui;
struct AppState;

// Edit > "Edit points": the found points picked, removed, added and moved on
// the picture by hand, every change one step on an undo stack. While the
// mode is on, the pointer's presses on the picture area come here instead
// of to the rubber-band selection.
class PointEditor {
 public:
  PointEditor(AppState& state, Ui& ui, PictureArea& area);

  bool active() const { return active_; }
  void setActive(bool on);

  QUndoStack& undoStack() { return stack_; }
  // Edit > "Undo" and "Redo"; nothing while a run fills the lists.
  void undo();
  void redo();

  // A new run or a new picture: nothing selected, nothing to undo.
  void reset();
  // After a command that may have changed the picture: as reset() when the
  // points' centres were dropped with it.
  void pictureMayHaveChanged();

  const FoundPointsOverlay::Edits& edits() const { return edits_; }

  // A press, move, release or double click on the picture area; true when
  // the mode took it.
  bool pointerEvent(QMouseEvent* event);
  // Delete and Backspace remove the selected points, the arrow keys nudge
  // them by a tenth of a pixel (with Shift a pixel); true when taken.
  // `inField`: the focus is in a text field, which keeps Backspace and the
  // arrows for itself.
  bool keyPressed(int key, Qt::KeyboardModifiers modifiers, bool inField);

  // The edits, each pushed onto the undo stack.
  void removeSelected();
  void addAt(PictureCentre centre);
  void moveSelected(double dx, double dy);

  // Point `index` alone selected (as from the preview), or none for -1.
  void selectOnly(int index);
  const std::vector<char>& selection() const { return edits_.selected; }

  // The points become `points`, those at `selected` centres selected.
  void show(const std::vector<FoundPoint>& points, const std::vector<PictureCentre>& selected);

 private:
  std::vector<PictureCentre> selectedCentres() const;
  std::vector<std::size_t> selectedIndices() const;
  // The point whose marker is under the screen position, or -1.
  int markerAt(QPointF at) const;
  PictureCentre onPicture(QPointF at) const;
  void push(const QString& text, std::vector<FoundPoint> after, std::vector<PictureCentre> selectAfter);
  // The picture area, and the preview too when the selection changed.
  void repaint(bool selectionChanged = true);

  AppState& state_;
  Ui& ui_;
  PictureArea& area_;
  QUndoStack stack_;
  bool active_ = false;
  FoundPointsOverlay::Edits edits_;
  enum class Drag { None, Points, Band } drag_ = Drag::None;
  QPointF pressedAt_;
};
