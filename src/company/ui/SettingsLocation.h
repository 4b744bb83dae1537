#pragma once
// Where the company data's key lives. The machine-wide store differs per
// system (the registry on Windows, one file for the whole machine elsewhere):
// MachineSettings() has one realisation per system in platform/, and CMake
// builds the one of the system the program is built for.

#include <QSettings>
#include <QString>
#include <memory>
#include <string>

namespace zel::ui {

// The organisation and application whose settings keep the company data.
inline constexpr char kSettingsOrganisation[] = "Nurvek";
inline constexpr char kSettingsApplication[] = "Torva";

class SettingsLocation {
public:
  virtual ~SettingsLocation() = default;
  // A fresh view of the key, so that changes another program made since the
  // last one are seen.
  virtual std::unique_ptr<QSettings> Open() const = 0;
  // Never creates the key (Qt can neither test for an empty registry key nor
  // create one, hence these two).
  virtual bool KeyExists() const = 0;
  // Creates the key when it is missing; false when the user may not.
  virtual bool CreateKey() const = 0;
  // What the user can do about a store that refuses his writes, added to the
  // message; empty when there is nothing to say.
  virtual std::string DeniedAdvice() const { return {}; }
};

// A settings file in INI format, made together with its folder when the key
// is created or first written.
class SettingsFile : public SettingsLocation {
public:
  explicit SettingsFile(QString path) : path_(std::move(path)) {}
  std::unique_ptr<QSettings> Open() const override;
  bool KeyExists() const override;
  bool CreateKey() const override;

private:
  QString path_;
};

// The machine-wide store of the system the program runs on.
std::unique_ptr<SettingsLocation> MachineSettings();

}  // namespace zel::ui
