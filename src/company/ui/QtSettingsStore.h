#pragma once
// The company data in Qt's settings: machine-wide, organisation "Nurvek",
// application "Torva" (on Windows the registry key
// HKEY_LOCAL_MACHINE\SOFTWARE\Nurvek\Torva, elsewhere the file
// /etc/xdg/Nurvek/Torva.conf). Values are kept as Unicode strings.

#include <QString>
#include <memory>

#include "common/settings_store.h"

class QSettings;

namespace zel::ui {

class SettingsLocation;

class QtSettingsStore : public SettingsStore {
public:
  // The machine-wide store.
  QtSettingsStore();
  // An INI file at the given path instead (tests, other locations).
  explicit QtSettingsStore(QString iniPath);
  ~QtSettingsStore() override;

  bool KeyExists() override;
  Status CreateKey() override;
  std::string Read(const std::string& name) override;
  Status Write(const std::string& name, const std::string& value) override;

  // Where the values live: a file path, or the registry key on Windows.
  QString Location() const;

private:
  Status Denied(const QString& location) const;

  std::unique_ptr<SettingsLocation> location_;
};

}  // namespace zel::ui
