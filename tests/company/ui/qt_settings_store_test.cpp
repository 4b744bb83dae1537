#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "common/cp1251.h"
#include "common/ui/QtText.h"
#include "company/ui/QtSettingsStore.h"

namespace zel::ui {
namespace {

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class QtSettingsStoreTest : public ::testing::Test {
protected:
  QString Ini() const { return dir.filePath(QStringLiteral("xdg/Nurvek/Torva.conf")); }
  QTemporaryDir dir;
};

TEST_F(QtSettingsStoreTest, AbsentKeyReadsEmptyAndIsNeverCreatedByReading) {
  QtSettingsStore store(Ini());
  EXPECT_EQ(store.Location(), Ini());
  EXPECT_FALSE(store.KeyExists());
  EXPECT_EQ(store.Read("ClientName"), "");
  EXPECT_EQ(store.Read("IBANClientAcc"), "");
  EXPECT_FALSE(store.KeyExists());
  EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("xdg"))));
}

TEST_F(QtSettingsStoreTest, CreateKeyMakesAnEmptyKeyAndKeepsExistingValues) {
  QtSettingsStore store(Ini());
  ASSERT_TRUE(store.CreateKey().ok());
  EXPECT_TRUE(store.KeyExists());
  EXPECT_EQ(store.Read("ClientName"), "");

  ASSERT_TRUE(store.Write("CodeBUS", "62196214").ok());
  ASSERT_TRUE(store.CreateKey().ok());
  EXPECT_EQ(QtSettingsStore(Ini()).Read("CodeBUS"), "62196214");
}

TEST_F(QtSettingsStoreTest, WrittenValuesAreDurableUnicodeAndReadBackExactly) {
  QtSettingsStore store(Ini());
  const std::string name = Cp("ЖТМ АД \"Нурвек\"; клон №2 = София");
  ASSERT_TRUE(store.Write("ClientName", name).ok());
  ASSERT_TRUE(store.Write("IBANClientAcc", "BG80QRVA91501234567890").ok());
  EXPECT_TRUE(store.KeyExists());

  // On disk at once, as Unicode text that other programs can read.
  EXPECT_TRUE(FileBytes(Ini()).contains(QByteArray("Нурвек")));
  QtSettingsStore fresh(Ini());
  EXPECT_EQ(fresh.Read("ClientName"), name);
  EXPECT_EQ(fresh.Read("IBANClientAcc"), "BG80QRVA91501234567890");

  ASSERT_TRUE(store.Write("ClientName", "").ok());
  EXPECT_EQ(fresh.Read("ClientName"), "");
  EXPECT_EQ(fresh.Read("IBANClientAcc"), "BG80QRVA91501234567890");
}

TEST_F(QtSettingsStoreTest, EveryByteOfTheCodePageSurvivesTheStore) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  QtSettingsStore store(Ini());
  ASSERT_TRUE(store.Write("ClientName", all).ok());
  EXPECT_EQ(QtSettingsStore(Ini()).Read("ClientName"), all);
}

TEST_F(QtSettingsStoreTest, UnwritableLocationFailsAndChangesNothing) {
  const QString blocker = dir.filePath(QStringLiteral("plainfile"));
  {
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  const QString ini = blocker + QStringLiteral("/Nurvek/Torva.conf");  // no folder can be made here
  QtSettingsStore store(ini);
  const Status status = store.Write("ClientName", Cp("Нурвек"));
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.message(), "Cannot write the company data to " + FromQt(ini) + ": access denied");
  EXPECT_FALSE(store.CreateKey().ok());
  EXPECT_FALSE(store.KeyExists());
  // Not even a later view of the same file sees the failed value.
  EXPECT_EQ(QtSettingsStore(ini).Read("ClientName"), "");
}

TEST_F(QtSettingsStoreTest, ReadOnlyStoreKeepsItsValuesWhenAWriteFails) {
  if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the superuser";
  QtSettingsStore store(Ini());
  ASSERT_TRUE(store.Write("ClientName", Cp("Старо име")).ok());
  const QByteArray before = FileBytes(Ini());
  const QString folder = QFileInfo(Ini()).absolutePath();
  const auto readOnly = QFile::ReadOwner | QFile::ExeOwner;
  ASSERT_TRUE(QFile::setPermissions(Ini(), QFile::ReadOwner));
  ASSERT_TRUE(QFile::setPermissions(folder, readOnly));

  const Status status = store.Write("ClientName", Cp("Ново име"));
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("access denied"), std::string::npos) << status.message();
  EXPECT_EQ(FileBytes(Ini()), before);
  EXPECT_EQ(QtSettingsStore(Ini()).Read("ClientName"), Cp("Старо име"));

  QFile::setPermissions(folder, readOnly | QFile::WriteOwner);
  QFile::setPermissions(Ini(), QFile::ReadOwner | QFile::WriteOwner);
}

// Files may grow no larger than `bytes` while it lives: a full disk that also
// binds the superuser.
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ok_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool ok() const { return ok_; }

private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
  bool ok_ = false;
};

TEST_F(QtSettingsStoreTest, AWriteThatFailsOnDiskKeepsTheStoredValue) {
  QtSettingsStore store(Ini());
  ASSERT_TRUE(store.Write("ClientName", Cp("Старо име")).ok());
  const QByteArray before = FileBytes(Ini());
  Status status = Status::Ok();
  {
    FileSizeLimit full(static_cast<rlim_t>(before.size()));
    ASSERT_TRUE(full.ok());
    status = store.Write("ClientName", Cp("Много по-дълго ново име на фирмата"));
  }
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("could not be written"), std::string::npos) << status.message();
  EXPECT_EQ(FileBytes(Ini()), before);
  // Neither this store nor a fresh one sees the value that was not saved.
  EXPECT_EQ(store.Read("ClientName"), Cp("Старо име"));
  EXPECT_EQ(QtSettingsStore(Ini()).Read("ClientName"), Cp("Старо име"));
  // And it does not come back with the next successful write.
  ASSERT_TRUE(store.Write("CodeBUS", "62196214").ok());
  EXPECT_EQ(QtSettingsStore(Ini()).Read("ClientName"), Cp("Старо име"));
}

// Desktops set XDG_CONFIG_DIRS differently; the company data stays in one
// file for every user whatever its first entry is.
TEST(QtSettingsStoreMachine, IsOneFileForTheWholeMachineWhateverTheDesktop) {
  const QByteArray saved = qgetenv("XDG_CONFIG_DIRS");
  for (const QString& dirs : {QDir::homePath() + QStringLiteral("/.config/kdedefaults:/etc/xdg"),
                              QStringLiteral("/etc/xdg/xdg-ubuntu:/etc/xdg")}) {
    qputenv("XDG_CONFIG_DIRS", dirs.toLocal8Bit());
    EXPECT_EQ(QtSettingsStore().Location(), QStringLiteral("/etc/xdg/Nurvek/Torva.conf")) << dirs.toStdString();
  }
  qputenv("XDG_CONFIG_DIRS", saved);
}

TEST(QtSettingsStoreMachine, AUserOutsideTheGroupIsToldHowToJoinIt) {
  QtSettingsStore store;
  // The value it holds already, should this machine let anybody write it.
  const std::string name = store.Read("ClientName");
  // The files of this thread opened as the user "nobody", who is no member of zel.
  constexpr uid_t kNobody = 65534;
  const int uid = ::setfsuid(kNobody);
  const int gid = ::setfsgid(kNobody);
  const bool asNobody = ::setfsuid(static_cast<uid_t>(-1)) == kNobody;
  const Status status = asNobody ? store.Write("ClientName", name) : Status::Ok();
  ::setfsgid(gid);
  ::setfsuid(uid);
  if (!asNobody) GTEST_SKIP() << "cannot open files as another user here";
  ASSERT_FALSE(status.ok()) << "/etc/xdg/Nurvek/Torva.conf is writable by everybody";
  const passwd* user = ::getpwuid(::getuid());
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(status.message(),
            "Cannot write the company data to /etc/xdg/Nurvek/Torva.conf: access denied. Only the members of the "
            "group zel may save the company data: add this user to it with \"sudo adduser " +
                std::string(user->pw_name) + " zel\", then log out and log in again.");
}

}  // namespace
}  // namespace zel::ui
