#include "ui/RecentPictures.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>

namespace {

constexpr const char* ListKey = "RecentPictures";
constexpr int MenuTextWidth = 420;  // pixels; longer paths are shortened in the middle

}  // namespace

RecentPictures::RecentPictures(QMenu& menu, QString settingsFile, QObject* parent)
    : QObject(parent), menu_(menu), settingsFile_(std::move(settingsFile)) {
  const QSettings settings(settingsFile_, QSettings::IniFormat);
  paths_ = settings.value(ListKey).toStringList().mid(0, Kept);
  connect(&menu_, &QMenu::aboutToShow, this, [this] {
    prune();
    rebuild();
  });
  rebuild();
}

QString RecentPictures::DefaultSettingsFile() {
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/Quorvix.conf";
}

void RecentPictures::add(const QString& path) {
  const QString full = QFileInfo(path).absoluteFilePath();
  paths_.removeAll(full);
  paths_.prepend(full);
  while (paths_.size() > Kept) paths_.removeLast();
  save();
}

void RecentPictures::prune() {
  const qsizetype before = paths_.size();
  paths_.removeIf([](const QString& path) { return !QFileInfo::exists(path); });
  if (paths_.size() != before) save();
}

void RecentPictures::rebuild() {
  menu_.clear();
  const QFontMetrics metrics(menu_.font());
  for (qsizetype i = 0; i < paths_.size(); ++i) {
    const QString& path = paths_[i];
    QString shown = metrics.elidedText(QDir::toNativeSeparators(path), Qt::ElideMiddle, MenuTextWidth);
    shown.replace('&', "&&");
    QAction* entry = menu_.addAction(QString("&%1 %2").arg(i + 1).arg(shown));
    entry->setToolTip(path);
    entry->setStatusTip(path);
    connect(entry, &QAction::triggered, this, [this, path] { emit picked(path); });
  }
  menu_.addSeparator();
  QAction* clear = menu_.addAction("Clear Menu");
  clear->setEnabled(!paths_.isEmpty());
  // The entries are made afresh only as the menu opens, never from one of
  // their own signals.
  connect(clear, &QAction::triggered, this, [this] {
    paths_.clear();
    save();
  });
}

void RecentPictures::save() const {
  QDir().mkpath(QFileInfo(settingsFile_).absolutePath());
  QSettings settings(settingsFile_, QSettings::IniFormat);
  settings.setValue(ListKey, paths_);
  settings.sync();
}
