#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QMenu;

// File > "Open Recent": the last pictures opened, most recent first, kept in
// the user's configuration (not in the program's settings file) so that they
// survive a restart. Files gone from the disk are dropped each time the menu
// opens; "Clear Menu" forgets them all.
class RecentPictures : public QObject {
  Q_OBJECT

 public:
  static constexpr int Kept = 8;

  // Fills `menu` (owned by its window) from the list kept in `settingsFile`.
  RecentPictures(QMenu& menu, QString settingsFile, QObject* parent = nullptr);

  // The file kept in the user's configuration folder.
  static QString DefaultSettingsFile();

  // A picture opened: first in the list, once.
  void add(const QString& path);
  QStringList paths() const { return paths_; }

 signals:
  void picked(const QString& path);

 private:
  void prune();
  void rebuild();
  void save() const;

  QMenu& menu_;
  QString settingsFile_;
  QStringList paths_;
};
