#include "app/ProgramFiles.h"

#include <unistd.h>

#include <QDir>
#include <QStandardPaths>

std::string ProgramFilesFolder(const std::string& programDir) {
  if (::access(programDir.c_str(), W_OK) == 0) return programDir;
  const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  if (config.isEmpty()) return programDir;  // nowhere better: writes fail as they would have
  QDir().mkpath(config);
  return QDir::toNativeSeparators(config).toStdString();
}

std::string HomeFolder() {
  return QDir::toNativeSeparators(QDir::homePath()).toStdString();
}
