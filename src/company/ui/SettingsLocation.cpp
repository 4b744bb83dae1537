#include "company/ui/SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zel::ui {

std::unique_ptr<QSettings> SettingsFile::Open() const {
  auto settings = std::make_unique<QSettings>(path_, QSettings::IniFormat);
  settings->setFallbacksEnabled(false);
  return settings;
}

bool SettingsFile::KeyExists() const { return QFileInfo::exists(path_); }

bool SettingsFile::CreateKey() const {
  if (QFileInfo::exists(path_)) return true;
  if (!QDir().mkpath(QFileInfo(path_).absolutePath())) return false;
  QFile file(path_);
  // NewOnly: another program may have created it in the meantime.
  return file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || QFileInfo::exists(path_);
}

}  // namespace zel::ui
