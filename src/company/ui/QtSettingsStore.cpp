#include "company/ui/QtSettingsStore.h"

#include <QSettings>
#include <QVariant>

#include "common/ui/QtText.h"
#include "company/ui/SettingsLocation.h"

namespace zel::ui {

namespace {

constexpr const char* kAccessDenied = "access denied";
constexpr const char* kUnreadable = "the stored data is not in a readable format";
// Qt reports any failed save as an access error, a full disk included.
constexpr const char* kNotSaved = "the file could not be written";

Status WriteFailure(const QString& location, const std::string& reason) {
  return Status::Fail("Cannot write the company data to " + FromQt(location) + ": " + reason);
}

}  // namespace

QtSettingsStore::QtSettingsStore() : location_(MachineSettings()) {}

QtSettingsStore::QtSettingsStore(QString iniPath) : location_(std::make_unique<SettingsFile>(std::move(iniPath))) {}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::Location() const { return location_->Open()->fileName(); }

Status QtSettingsStore::Denied(const QString& location) const {
  const std::string advice = location_->DeniedAdvice();
  return WriteFailure(location, advice.empty() ? kAccessDenied : std::string(kAccessDenied) + ". " + advice);
}

bool QtSettingsStore::KeyExists() { return location_->KeyExists(); }

Status QtSettingsStore::CreateKey() { return location_->CreateKey() ? Status::Ok() : Denied(Location()); }

std::string QtSettingsStore::Read(const std::string& name) {
  return FromQt(location_->Open()->value(ToQt(name)).toString());
}

Status QtSettingsStore::Write(const std::string& name, const std::string& value) {
  const auto settings = location_->Open();
  if (settings->status() == QSettings::FormatError) return WriteFailure(settings->fileName(), kUnreadable);
  if (settings->status() != QSettings::NoError || !settings->isWritable()) return Denied(settings->fileName());

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
