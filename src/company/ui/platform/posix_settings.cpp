// The company data on Linux and other POSIX systems: one file for the whole
// machine, /etc/xdg/Nurvek/Torva.conf, which the members of the group zel may
// write. Qt's system-wide settings would take the folder from the first entry
// of XDG_CONFIG_DIRS instead, which desktops set differently (KDE puts a
// folder of the user's own there), so the company data would become one
// user's, or a file nobody may write.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "common/cp1251.h"
#include "company/ui/SettingsLocation.h"

namespace zel::ui {

namespace {

constexpr char kMachineFolder[] = "/etc/xdg";
// The group the package makes for the users who may save the company data.
constexpr char kWritersGroup[] = "zel";

std::string UserName() {
  if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_name[0] != '\0') return user->pw_name;
  for (const char* variable : {"USER", "LOGNAME"}) {
    if (const char* name = std::getenv(variable); name != nullptr && name[0] != '\0') return name;
  }
  return {};
}

class MachineFile : public SettingsFile {
public:
  MachineFile()
      : SettingsFile(QString::fromLatin1(kMachineFolder) + u'/' + QString::fromLatin1(kSettingsOrganisation) + u'/' +
                     QString::fromLatin1(kSettingsApplication) + QStringLiteral(".conf")) {}

  std::string DeniedAdvice() const override {
    const std::string name = UserName();
    const std::string group = kWritersGroup;
    return "Only the members of the group " + group +
           " may save the company data: add this user to it with \"sudo adduser " +
           (name.empty() ? "<user>" : Utf8ToCp1251(name)) + " " + group + "\", then log out and log in again.";
  }
};

}  // namespace

std::unique_ptr<SettingsLocation> MachineSettings() { return std::make_unique<MachineFile>(); }

}  // namespace zel::ui
