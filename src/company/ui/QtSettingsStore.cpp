#include "company/ui/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QVariant>

#include "common/ui/QtText.h"

#ifdef Q_OS_WIN
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace zel::ui {

namespace {

#ifdef Q_OS_WIN
// QSettings can neither test for an empty key nor create one.
constexpr wchar_t kRegistryKey[] = L"SOFTWARE\\Nurvek\\Torva";

bool RegistryKeyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRegistryKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool CreateRegistryKey() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}
#endif

constexpr const char* kAccessDenied = "access denied";
constexpr const char* kUnreadable = "the stored data is not in a readable format";
// Qt reports any failed save as an access error, a full disk included.
constexpr const char* kNotSaved = "the file could not be written";

Status WriteFailure(const QString& location, const std::string& reason) {
  return Status::Fail("Cannot write the company data to " + FromQt(location) + ": " + reason);
}

}  // namespace

QtSettingsStore::QtSettingsStore() = default;

QtSettingsStore::QtSettingsStore(QString iniPath) : iniPath_(std::move(iniPath)) {}

QtSettingsStore::~QtSettingsStore() = default;

bool QtSettingsStore::UsesRegistry() const {
#ifdef Q_OS_WIN
  return !iniPath_.has_value();
#else
  return false;
#endif
}

std::unique_ptr<QSettings> QtSettingsStore::Open() const {
  std::unique_ptr<QSettings> settings;
  if (iniPath_.has_value()) {
    settings = std::make_unique<QSettings>(*iniPath_, QSettings::IniFormat);
  } else {
    settings = std::make_unique<QSettings>(QSettings::SystemScope, Qs("Nurvek"), Qs("Torva"));
  }
  // Only the key itself: no organisation-wide file behind it.
  settings->setFallbacksEnabled(false);
  return settings;
}

QString QtSettingsStore::Location() const { return Open()->fileName(); }

bool QtSettingsStore::KeyExists() {
#ifdef Q_OS_WIN
  if (UsesRegistry()) return RegistryKeyExists();
#endif
  return QFileInfo::exists(Location());
}

Status QtSettingsStore::CreateKey() {
  const QString location = Location();
#ifdef Q_OS_WIN
  if (UsesRegistry()) return CreateRegistryKey() ? Status::Ok() : WriteFailure(location, kAccessDenied);
#endif
  if (QFileInfo::exists(location)) return Status::Ok();
  if (!QDir().mkpath(QFileInfo(location).absolutePath())) return WriteFailure(location, kAccessDenied);
  QFile file(location);
  // NewOnly: another program may have created it in the meantime.
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !QFileInfo::exists(location)) {
    return WriteFailure(location, kAccessDenied);
  }
  return Status::Ok();
}

std::string QtSettingsStore::Read(const std::string& name) {
  const auto settings = Open();
  return FromQt(settings->value(ToQt(name)).toString());
}

Status QtSettingsStore::Write(const std::string& name, const std::string& value) {
  const auto settings = Open();
  if (settings->status() != QSettings::NoError) {
    return WriteFailure(settings->fileName(),
                        settings->status() == QSettings::FormatError ? kUnreadable : kAccessDenied);
  }
  if (!settings->isWritable()) return WriteFailure(settings->fileName(), kAccessDenied);

  const QString key = ToQt(name);
  const QVariant previous = settings->value(key);
  settings->setValue(key, ToQt(value));
  settings->sync();
  const QSettings::Status status = settings->status();
  if (status == QSettings::NoError) return Status::Ok();

  // Qt keeps unsaved changes in a cache shared by every QSettings on the
  // same file; take the failed one back so that later reads do not see it.
  if (previous.isValid()) {
    settings->setValue(key, previous);
  } else {
    settings->remove(key);
  }
  return WriteFailure(settings->fileName(), status == QSettings::FormatError ? kUnreadable : kNotSaved);
}

}  // namespace zel::ui
