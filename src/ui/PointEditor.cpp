#include "ui/PointEditor.h"

#include <QMouseEvent>
#include <QUndoCommand>
#include <algorithm>
#include <cmath>

#include "state/AppState.h"
#include "state/Ui.h"
#include "state/Viewport.h"
#include "ui/PictureArea.h"

namespace {

// A press this many screen pixels beyond a marker's ring still takes it.
constexpr double PickSlack = 2.0;
// The arrow keys' steps, in picture pixels.
constexpr double Nudge = 0.1;
constexpr double ShiftNudge = 1.0;

// One user action on the points: the lists before and after it, and what
// was selected.
class PointsEdit : public QUndoCommand {
 public:
  PointsEdit(PointEditor& editor, const QString& text, std::vector<FoundPoint> before,
             std::vector<PictureCentre> selectBefore, std::vector<FoundPoint> after,
             std::vector<PictureCentre> selectAfter)
      : QUndoCommand(text),
        editor_(editor),
        before_(std::move(before)),
        selectBefore_(std::move(selectBefore)),
        after_(std::move(after)),
        selectAfter_(std::move(selectAfter)) {}

  void undo() override { editor_.show(before_, selectBefore_); }
  void redo() override { editor_.show(after_, selectAfter_); }

 private:
  PointEditor& editor_;
  std::vector<FoundPoint> before_;
  std::vector<PictureCentre> selectBefore_;
  std::vector<FoundPoint> after_;
  std::vector<PictureCentre> selectAfter_;
};

bool SameCentre(PictureCentre a, PictureCentre b) {
  return a.x == b.x && a.y == b.y;
}

}  // namespace

PointEditor::PointEditor(AppState& state, Ui& ui, PictureArea& area) : state_(state), ui_(ui), area_(area) {}

void PointEditor::setActive(bool on) {
  active_ = on;
  drag_ = Drag::None;
  edits_.dragged = {};
  edits_.band = {};
  if (on) {
    area_.setCursor(Qt::CrossCursor);
  } else {
    area_.unsetCursor();
    edits_.selected.assign(edits_.selected.size(), 0);
  }
  repaint();
}

void PointEditor::undo() {
  if (!state_.RunInProgress) stack_.undo();
}

void PointEditor::redo() {
  if (!state_.RunInProgress) stack_.redo();
}

void PointEditor::reset() {
  stack_.clear();
  drag_ = Drag::None;
  edits_ = {};
  repaint();
}

void PointEditor::pictureMayHaveChanged() {
  if (state_.FoundCentres.size() < static_cast<std::size_t>(std::max(0, state_.DataPointCount))) reset();
}

std::vector<std::size_t> PointEditor::selectedIndices() const {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < edits_.selected.size(); ++i)
    if (edits_.selected[i]) out.push_back(i);
  return out;
}

std::vector<PictureCentre> PointEditor::selectedCentres() const {
  std::vector<PictureCentre> out;
  for (const std::size_t i : selectedIndices())
    if (i < state_.FoundCentres.size()) out.push_back(state_.FoundCentres[i]);
  return out;
}

void PointEditor::show(const std::vector<FoundPoint>& points, const std::vector<PictureCentre>& selected) {
  SetListedPoints(state_, ui_, points);
  edits_.selected.assign(state_.FoundCentres.size(), 0);
  for (std::size_t i = 0; i < state_.FoundCentres.size(); ++i) {
    edits_.selected[i] = std::any_of(selected.begin(), selected.end(),
                                     [&](PictureCentre c) { return SameCentre(c, state_.FoundCentres[i]); })
                             ? 1
                             : 0;
  }
  repaint();
}

void PointEditor::push(const QString& text, std::vector<FoundPoint> after,
                       std::vector<PictureCentre> selectAfter) {
  stack_.push(new PointsEdit(*this, text, ListedPoints(state_), selectedCentres(), std::move(after),
                             std::move(selectAfter)));
}

void PointEditor::removeSelected() {
  const std::vector<std::size_t> gone = selectedIndices();
  if (gone.empty()) return;
  push(gone.size() == 1 ? "Delete point" : "Delete points", WithoutPoints(ListedPoints(state_), gone), {});
}

void PointEditor::addAt(PictureCentre centre) {
  std::vector<FoundPoint> after = ListedPoints(state_);
  after.push_back(PointAtCentre(state_, centre));
  push("Add point", std::move(after), {centre});
}

void PointEditor::moveSelected(double dx, double dy) {
  const std::vector<std::size_t> moved = selectedIndices();
  if (moved.empty() || (dx == 0 && dy == 0)) return;
  std::vector<PictureCentre> selectAfter;
  for (const std::size_t i : moved)
    selectAfter.push_back({state_.FoundCentres[i].x + dx, state_.FoundCentres[i].y + dy});
  push(moved.size() == 1 ? "Move point" : "Move points",
       WithPointsMoved(state_, ListedPoints(state_), moved, dx, dy), std::move(selectAfter));
}

int PointEditor::markerAt(QPointF at) const {
  const std::size_t count =
      std::min(static_cast<std::size_t>(std::max(0, state_.DataPointCount)), state_.FoundCentres.size());
  const double reach = FoundPointsOverlay::radius(state_) + PickSlack;
  int best = -1;
  double nearest = reach;
  for (std::size_t i = 0; i < count; ++i) {
    const QPointF d = FoundPointsOverlay::onScreen(state_, state_.FoundCentres[i]) - at;
    const double distance = std::hypot(d.x(), d.y());
    if (distance <= nearest) {
      nearest = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

PictureCentre PointEditor::onPicture(QPointF at) const {
  return ScreenToPicture(state_, {at.x(), at.y()});
}

bool PointEditor::pointerEvent(QMouseEvent* event) {
  if (!active_) return false;
  // A run fills the lists: the picture is only looked at meanwhile.
  if (state_.RunInProgress) return true;
  // The middle of the screen pixel under the pointer.
  const QPointF at = event->position() + QPointF(0.5, 0.5);
  const bool adding = (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) != 0;
  edits_.selected.resize(state_.FoundCentres.size(), 0);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      if (event->button() != Qt::LeftButton) return true;
      pressedAt_ = at;
      const int hit = markerAt(at);
      if (hit >= 0) {
        char& picked = edits_.selected[static_cast<std::size_t>(hit)];
        if (adding) {
          picked = picked ? 0 : 1;
        } else if (!picked) {
          std::fill(edits_.selected.begin(), edits_.selected.end(), 0);
          picked = 1;
        }
        drag_ = picked ? Drag::Points : Drag::None;
      } else {
        if (!adding) std::fill(edits_.selected.begin(), edits_.selected.end(), 0);
        drag_ = Drag::Band;
        edits_.band = QRect(event->position().toPoint(), event->position().toPoint());
      }
      repaint();
      return true;
    }
    case QEvent::MouseMove:
      if (drag_ == Drag::Points) edits_.dragged = at - pressedAt_;
      if (drag_ == Drag::Band) edits_.band = QRect(edits_.band.topLeft(), event->position().toPoint());
      if (drag_ != Drag::None) repaint(false);
      return true;
    case QEvent::MouseButtonRelease: {
      if (event->button() != Qt::LeftButton) return true;
      const Drag drag = drag_;
      drag_ = Drag::None;
      if (drag == Drag::Points) {
        const QPointF moved = at - pressedAt_;
        edits_.dragged = {};
        const PictureCentre from = onPicture(pressedAt_);
        const PictureCentre to = onPicture(pressedAt_ + moved);
        moveSelected(to.x - from.x, to.y - from.y);
      } else if (drag == Drag::Band) {
        const QRectF band = QRectF(edits_.band.normalized()).adjusted(0, 0, 1, 1);
        edits_.band = {};
        const std::size_t count = std::min(static_cast<std::size_t>(std::max(0, state_.DataPointCount)),
                                           state_.FoundCentres.size());
        for (std::size_t i = 0; i < count; ++i)
          if (band.contains(FoundPointsOverlay::onScreen(state_, state_.FoundCentres[i])))
            edits_.selected[i] = 1;
      }
      repaint();
      return true;
    }
    case QEvent::MouseButtonDblClick:
      if (event->button() == Qt::LeftButton && markerAt(at) < 0) {
        drag_ = Drag::None;
        edits_.band = {};
        const PictureCentre click = onPicture(at);
        if (click.x >= -0.5 && click.y >= -0.5 && click.x < state_.WorkImage.width() - 0.5 &&
            click.y < state_.WorkImage.height() - 0.5)
          addAt(FittedCentreNear(state_, click));
      }
      return true;
    default:
      return false;
  }
}

bool PointEditor::keyPressed(int key, Qt::KeyboardModifiers modifiers, bool inField) {
  if (!active_ || state_.RunInProgress) return false;
  if (key == Qt::Key_Delete || (key == Qt::Key_Backspace && !inField)) {
    removeSelected();
    return true;
  }
  if (inField) return false;
  const double step = (modifiers & Qt::ShiftModifier) ? ShiftNudge : Nudge;
  switch (key) {
    case Qt::Key_Left:
      moveSelected(-step, 0);
      return true;
    case Qt::Key_Right:
      moveSelected(step, 0);
      return true;
    case Qt::Key_Up:
      moveSelected(0, -step);
      return true;
    case Qt::Key_Down:
      moveSelected(0, step);
      return true;
    default:
      return false;
  }
}

void PointEditor::selectOnly(int index) {
  edits_.selected.assign(state_.FoundCentres.size(), 0);
  if (index >= 0 && static_cast<std::size_t>(index) < edits_.selected.size())
    edits_.selected[static_cast<std::size_t>(index)] = 1;
  repaint();
}

void PointEditor::repaint(bool selectionChanged) {
  area_.update();
  // The preview rings the selected points; a drag changes nothing there.
  if (selectionChanged) ui_.repaintPreview();
}
