// The company data on Windows: the registry key
// HKEY_LOCAL_MACHINE\SOFTWARE\Nurvek\Torva, the one Qt's system-wide settings
// of the organisation and application use.
#include <string>

#include "company/ui/SettingsLocation.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace zel::ui {

namespace {

std::wstring KeyPath() {
  return (QStringLiteral("SOFTWARE\\") + QString::fromLatin1(kSettingsOrganisation) + u'\\' +
          QString::fromLatin1(kSettingsApplication))
      .toStdWString();
}

class Registry : public SettingsLocation {
public:
  std::unique_ptr<QSettings> Open() const override {
    auto settings = std::make_unique<QSettings>(QSettings::SystemScope, QString::fromLatin1(kSettingsOrganisation),
                                                QString::fromLatin1(kSettingsApplication));
    // Only the key itself: no organisation-wide key behind it.
    settings->setFallbacksEnabled(false);
    return settings;
  }

  bool KeyExists() const override {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, KeyPath().c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
  }

  bool CreateKey() const override {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, KeyPath().c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    ::RegCloseKey(key);
    return true;
  }
};

}  // namespace

std::unique_ptr<SettingsLocation> MachineSettings() { return std::make_unique<Registry>(); }

}  // namespace zel::ui
