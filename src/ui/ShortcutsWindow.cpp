#include "ui/ShortcutsWindow.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int ListWidth = 560;
constexpr int ListHeight = 520;

// A menu text without its mnemonic marks ("&&" stands for one "&").
QString PlainText(const QAction& action) {
  QString text = action.text();
  text.replace("&&", QChar(0x1));
  text.remove('&');
  text.replace(QChar(0x1), "&");
  return text;
}

QString KeyName(int key) {
  return QKeySequence(key).toString(QKeySequence::NativeText);
}

QString Keys(const QAction& action) {
  QStringList keys;
  for (const QKeySequence& sequence : action.shortcuts()) keys << sequence.toString(QKeySequence::NativeText);
  return keys.join(", ");
}

QTreeWidgetItem* AddRow(QTreeWidgetItem* group, const QString& command, const QString& keys) {
  return new QTreeWidgetItem(group, {command, keys});  // owned by the group
}

// The commands of `menu` that have keys, each as {command, keys}; a
// submenu's commands as "Submenu > Command".
void CollectMenuRows(const QMenu& menu, const QString& prefix, QList<QStringList>& rows) {
  for (const QAction* action : menu.actions()) {
    if (action->isSeparator()) continue;
    if (action->menu() != nullptr) {
      CollectMenuRows(*action->menu(), prefix + PlainText(*action) + " > ", rows);
    } else if (!action->shortcuts().isEmpty()) {
      rows.append({prefix + PlainText(*action), Keys(*action)});
    }
  }
}

QTreeWidgetItem* AddGroup(QTreeWidget* list, const QString& title) {
  auto* group = new QTreeWidgetItem(list, {title});  // owned by the list
  QFont font = group->font(0);
  font.setBold(true);
  group->setFont(0, font);
  group->setFirstColumnSpanned(true);
  return group;
}

// The keys the window reads itself, outside the menus.
void AddOtherKeys(QTreeWidget* list) {
  QTreeWidgetItem* window = AddGroup(list, "Main window");
  AddRow(window, "Stop a running Create ASCII (also in the preview)", KeyName(Qt::Key_Escape));
  AddRow(window, "Apply the grey limit typed", "Enter in Grey limit");
  AddRow(window, "Cut a number typed to what is read", "Enter in a number field");
  AddRow(window, "Clear inside the selection", KeyName(Qt::Key_Delete));
  AddRow(window, "Zoom in or out about the pointer", "Ctrl+Mouse wheel");
  AddRow(window, "Open a picture file", "Drop it on the window");

  QTreeWidgetItem* editing = AddGroup(list, "While editing points");
  AddRow(editing, "Delete the selected points",
         KeyName(Qt::Key_Delete) + ", " + KeyName(Qt::Key_Backspace) + " (not in a field)");
  AddRow(editing, "Move the selected points by 0.1 pixel", "Arrow keys");
  AddRow(editing, "Move the selected points by 1 pixel", "Shift+Arrow keys");
  AddRow(editing, "Add a point", "Double click");
  AddRow(editing, "Add a point to the selection", "Shift+Click, Ctrl+Click");
}

}  // namespace

ShortcutsWindow::ShortcutsWindow(const QMenuBar& menus, QWidget* parent)
    : QDialog(parent, Qt::Window), menus_(menus) {
  setWindowTitle("Keyboard Shortcuts");
  list_ = new QTreeWidget(this);  // owned by parent
  list_->setColumnCount(2);
  list_->setHeaderLabels({"Command", "Keys"});
  list_->setRootIsDecorated(false);
  list_->setItemsExpandable(false);
  list_->setSelectionMode(QAbstractItemView::NoSelection);
  list_->setFocusPolicy(Qt::NoFocus);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);  // owned by parent
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);  // owned by parent
  layout->addWidget(list_);
  layout->addWidget(buttons);
  resize(ListWidth, ListHeight);
  refresh();
}

void ShortcutsWindow::refresh() {
  list_->clear();
  for (const QAction* menuAction : menus_.actions()) {
    if (menuAction->menu() == nullptr) continue;
    QList<QStringList> rows;
    CollectMenuRows(*menuAction->menu(), QString(), rows);
    if (rows.isEmpty()) continue;  // no heading for a menu without keys
    QTreeWidgetItem* group = AddGroup(list_, PlainText(*menuAction));
    for (const QStringList& row : rows) AddRow(group, row[0], row[1]);
  }
  AddOtherKeys(list_);
  list_->expandAll();
  list_->resizeColumnToContents(0);
}
