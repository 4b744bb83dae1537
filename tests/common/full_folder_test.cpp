// Every file the program saves, saved into a folder with no space left or
// one that became read-only: the failure names the file by its full path with
// the system's reason, and the previous file, its backup and the folder stay
// as they were.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/data_files.h"
#include "common/file_io.h"
#include "common/text.h"
#include "payment/pay_file_settings.h"
#include "payment/payment_file.h"
#include "payment/payment_list.h"
#include "personnel/register.h"
#include "personnel/register_files.h"
#include "personnel/request_files.h"
#include "support/failing_file_system.h"
#include "support/fakes.h"

namespace zel {
namespace {

using test::FailingFileSystem;
using test::ReadFileBytes;
using Step = FailingFileSystem::Step;

Register MakeRegister(int count) {
  Register reg;
  for (int i = 0; i < count; ++i) {
    EmployeeRecord r = ZeroEmployeeRecord();
    r.FullName.assign("EMPLOYEE " + std::to_string(i));
    r.EGN.assign(std::to_string(7501010000 + i));
    r.IBAN.assign("BG80BNBG966110203456" + std::to_string(10 + i));
    r.Overdraft.assign("100");
    reg.Append(r);
  }
  return reg;
}

PaymentList MakeList(const Register& reg) {
  PaymentList list;
  list.registerFound = true;
  for (const EmployeeRecord& r : reg.records()) {
    PaymentLine line = ZeroPaymentLine();
    line.Employee = r;
    line.NetAmount.assign("250.00");
    list.lines.push_back(line);
  }
  return list;
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FullFolder, EveryFileKeepsItsPreviousVersionAndTheMessageNamesItWithTheReason) {
  test::TempDir dir;
  FailingFileSystem fs;
  test::FakeSettingsStore settings;
  settings.keyExists = true;
  settings.values = {{"ClientName", "FIRM"}, {"CodeBUS", "1234"}, {"IBANClientAcc", "BG80BNBG96611020345678"}};
  test::FakeMessages messages;
  const Register registers[2] = {MakeRegister(2), MakeRegister(3)};
  const PaymentList lists[2] = {MakeList(registers[0]), MakeList(registers[1])};
  PayDay payDay;
  payDay.Settings.PayFileName = dir.File("O081226p.dp1");

  struct Kind {
    const char* file;
    const char* backup;  // nullptr: the save keeps none
    std::function<Status(int version)> save;
  };
  const std::vector<Kind> kinds = {
      {kRegisterFile, kRegisterBackup, [&](int v) { return SaveRegister(fs, registers[v], {}); }},
      {kPaymentListFile, kPaymentListBackup, [&](int v) { return SavePaymentList(fs, lists[v], {}); }},
      {"O081226p.dp1", nullptr, [&](int v) { return WriteFinalPaymentFile(fs, lists[v], payDay); }},
      {"open.txt", nullptr,
       [&](int v) { return WriteAccountOpeningRequests(fs, registers[v], settings, messages, dir.File("open.txt")); }},
      {"overdraft.txt", nullptr,
       [&](int v) { return WriteOverdraftRequests(fs, registers[v], settings, dir.File("overdraft.txt")); }},
  };
  struct Failure {
    Step step;
    int error;
  };
  // A full disk fails the writing; a folder that became read-only, the creation.
  const Failure failures[] = {{Step::WriteTemp, ENOSPC}, {Step::CreateTemp, EACCES}, {Step::CreateTemp, EROFS}};

  for (const Kind& kind : kinds) {
    for (const Failure& failure : failures) {
      SCOPED_TRACE(std::string(kind.file) + " " + std::strerror(failure.error));
      fs.fail = Step::None;
      ASSERT_TRUE(kind.save(0).ok());
      ASSERT_TRUE(kind.save(1).ok());
      const std::string previous = ReadFileBytes(dir.File(kind.file));
      const std::string backup = kind.backup ? ReadFileBytes(dir.File(kind.backup)) : "";
      ASSERT_NE(previous, backup);
      const std::vector<std::string> entries = Entries(dir.path());

      fs.fail = failure.step;
      fs.error = failure.error;
      const Status s = kind.save(0);
      EXPECT_EQ(s.message(), "Error save in file " + dir.File(kind.file) + " ! (" + std::strerror(failure.error) + ")");
      EXPECT_EQ(ReadFileBytes(dir.File(kind.file)), previous);
      if (kind.backup) {
        EXPECT_EQ(ReadFileBytes(dir.File(kind.backup)), backup);
      }
      EXPECT_EQ(Entries(dir.path()), entries);
    }
  }
  EXPECT_TRUE(messages.log.empty());
}

}  // namespace
}  // namespace zel
