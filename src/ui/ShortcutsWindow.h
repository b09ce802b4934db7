#pragma once

#include <QDialog>

class QMenuBar;
class QTreeWidget;

// "Keyboard Shortcuts": every menu command that has a key, read from the
// menus themselves whenever the list is refreshed, then the keys that work
// outside the menus. Shown without blocking the main window.
class ShortcutsWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ShortcutsWindow(const QMenuBar& menus, QWidget* parent = nullptr);

  // Reads the menus again.
  void refresh();

  // One row per command under a row per menu: the command in column 0, its keys in column 1.
  QTreeWidget* list() const { return list_; }

 private:
  const QMenuBar& menus_;
  QTreeWidget* list_ = nullptr;
};
