#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/ui/QtText.h"
#include "personnel/bank_files_support.h"
#include "personnel/register_files.h"
#include "personnel/ui/TFChoice.h"
#include "personnel/ui/TFStaffForm.h"
#include "shell/ui/TSDIAppForm.h"
#include "support/ui/WindowTest.h"

namespace zel::test {
namespace {

using ui::Qs;
using ui::TFStaffForm;

const std::string kAccount = "1012345675";

std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// The main window with the personnel list open on a register of two
// employees: one without an account, one with account, IBAN and overdraft.
class BankCommandsTest : public WindowTest {
protected:
  void SetUp() override {
    Person ivan;
    ivan.name = "Иван Петров Иванов";
    ivan.egn = "7501010010";
    ivan.birth = "01.01.1975";
    Person maria;
    maria.name = "Мария Георгиева Колева";
    maria.egn = "8002020020";
    maria.birth = "02.02.1980";
    maria.account = kAccount;
    maria.overdraft = "500";
    maria.contract = "12/2020";
    maria.iban = BgIban("QRVA9150" + kAccount);
    Register reg;
    reg.Append(Record(ivan));
    reg.Append(Record(maria));
    ASSERT_TRUE(SaveRegister(SystemFileSystem(), reg, {}).ok());
    settings.keyExists = true;
    settings.values = {{"ClientName", Cp("Нурвек АД")}, {"CodeBUS", "15091501"}};
    Frame().FileOpen1Execute();
    ASSERT_NE(List(), nullptr);
  }

  TFStaffForm* List() { return qobject_cast<TFStaffForm*>(Frame().child()); }
  int Rows() { return List()->findChild<QListView*>(Qs("ListBox1"))->model()->rowCount(); }
  bool CloseButtonBold() { return List()->findChild<QPushButton*>(Qs("B_Close"))->font().bold(); }
  void Trigger(const char* action) { Frame().findChild<QAction*>(Qs(action))->trigger(); }

  // "Запис във файл" into `name`, the user picking `item` of the choice dialog
  // (-1: he closes it by its close box).
  void WriteRequest(const std::string& name, int item) {
    dialogs.saveNames.push_back(QString::fromStdString(dir.File(name)));
    modal.Then([item](QWidget* dialog) {
      if (item < 0) {
        dialog->close();
        return;
      }
      dialog->findChild<QRadioButton*>(QStringLiteral("RadioGroup1Item%1").arg(item))->click();
      dialog->findChild<QPushButton*>(Qs("Button1"))->click();
    });
    Trigger("FileSaveAsItem");
    EXPECT_TRUE(WaitUntilNoModal());
  }

  void WriteBankFile(const std::string& name, const std::string& bytes) {
    WriteFileBytes(dir.File(name), bytes);
    dialogs.openNames.push_back(QString::fromStdString(dir.File(name)));
  }
};

TEST_F(BankCommandsTest, WriteFileAsksForTheTypeAndWritesThatRequest) {
  WriteRequest("open.txt", 0);
  const std::vector<std::string> opening = CrLfLines(ReadFileBytes(dir.File("open.txt")));
  // One block: the employee without an account, in the variant of bank code 1509.
  ASSERT_EQ(opening.size(), 22u);
  EXPECT_EQ(opening[0], "ADDO == 680");
  EXPECT_EQ(opening[2], "(4.)  == " + Mik("Иван Петров Иванов"));
  EXPECT_EQ(opening[4], "(6.)  == 7501010010");
  EXPECT_EQ(opening[19], "(55.) == " + Mik("Нурвек АД"));
  EXPECT_EQ(opening[20], "ENDM");

  WriteRequest("overdraft.txt", 1);
  const std::vector<std::string> overdraft = CrLfLines(ReadFileBytes(dir.File("overdraft.txt")));
  ASSERT_EQ(overdraft.size(), 29u);
  EXPECT_EQ(overdraft[0], "ADDO == 663");
  EXPECT_EQ(overdraft[4], "(TO4.3.) == " + BgIban("QRVA9150" + kAccount));
  EXPECT_EQ(overdraft[5], "(6.) == 500");
  // Writing a request changes nothing in the register.
  EXPECT_FALSE(List()->Modified());
  EXPECT_FALSE(CloseButtonBold());

  // The dialog kept for the run opens on the last choice, also in the next
  // personnel list; its close box writes nothing.
  List()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  Frame().FileOpen1Execute();
  bool overdraftPreselected = false;
  dialogs.saveNames.push_back(QString::fromStdString(dir.File("none.txt")));
  modal.Then([&](QWidget* dialog) {
    overdraftPreselected = dialog->findChild<QRadioButton*>(Qs("RadioGroup1Item1"))->isChecked();
    dialog->close();
  });
  Trigger("ToolButton2");
  EXPECT_TRUE(WaitUntilNoModal());
  EXPECT_TRUE(overdraftPreselected);
  EXPECT_FALSE(SystemFileSystem().Exists(dir.File("none.txt")));
  EXPECT_EQ(Frame().findChildren<ui::TFChoice*>().size(), 1);
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(BankCommandsTest, RequestWithoutCompanyDataOrIntoAMissingFolderWritesNothing) {
  settings.values.erase("ClientName");
  WriteRequest("open.txt", 0);
  EXPECT_FALSE(SystemFileSystem().Exists(dir.File("open.txt")));
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].text, Cp("Няма данни за името на компанията !"));

  WriteRequest("missing/overdraft.txt", 1);
  ASSERT_EQ(messages.log.size(), 2u);
  EXPECT_EQ(messages.log[1].kind, "error");
  EXPECT_NE(messages.log[1].text.find("missing"), std::string::npos);
  EXPECT_EQ(Frame().child(), List());
}

TEST_F(BankCommandsTest, ReadCommandsChangeTheRegisterAndMarkTheListChanged) {
  EXPECT_FALSE(CloseButtonBold());

  WriteBankFile("data.txt", MikLines({"ADDO == 680", "(4.)  == Петър Стоянов Димов", "(6.)  == 8503124567",
                                      "(21.) == 1012345675", "ENDM", ""}));
  Trigger("FileRead");
  ASSERT_EQ(Rows(), 3);
  // The appended employee is the selected last line.
  EXPECT_EQ(List()->SelectedIndex(), 2);
  EXPECT_TRUE(CloseButtonBold());

  // Changes in place keep the selection.
  const std::string account = "1000000002";
  WriteBankFile("accounts.txt", "7501010010 " + account + "\r\n");
  Trigger("AccFileRead");
  const std::string iban = BgIban("QRVA9150" + account);
  WriteBankFile("ibans.txt", "7501010010  " + account + "  " + iban + "\r\n");
  Trigger("IBAN1");
  EXPECT_EQ(List()->SelectedIndex(), 2);
  EXPECT_TRUE(messages.log.empty());

  // The changes reach the register file when the list closes.
  List()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  Register saved;
  ASSERT_TRUE(LoadRegister(SystemFileSystem(), saved).ok());
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(saved.at(2).FullName.str(), Cp("Петър Стоянов Димов"));
  EXPECT_EQ(saved.at(2).Account.str(), kAccount);
  EXPECT_EQ(saved.at(0).Account.str(), account);
  EXPECT_EQ(saved.at(0).IBAN.str(), iban);
}

TEST_F(BankCommandsTest, AccountsFileAloneMarksTheListChanged) {
  const std::string account = "1000000002";
  WriteBankFile("accounts.txt", "7501010010 " + account + "\r\n");
  Trigger("AccFileRead");
  EXPECT_EQ(Rows(), 2);
  EXPECT_TRUE(List()->Modified());
  EXPECT_TRUE(CloseButtonBold());
}

TEST_F(BankCommandsTest, CancelledOrUnreadableFileChangesNothing) {
  for (const char* command : {"FileRead", "AccFileRead", "IBAN1"}) {
    dialogs.openNames.push_back(std::nullopt);
    Trigger(command);
  }
  EXPECT_EQ(dialogs.openCalls, 3);
  dialogs.saveNames.push_back(std::nullopt);
  Trigger("FileSaveAsItem");
  EXPECT_EQ(modal.shown(), 0);
  EXPECT_TRUE(messages.log.empty());

  dialogs.openNames.push_back(QString::fromStdString(dir.File("absent.txt")));
  Trigger("AccFileRead");
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].kind, "error");
  EXPECT_NE(messages.log[0].text.find("absent.txt"), std::string::npos);

  EXPECT_EQ(Rows(), 2);
  EXPECT_FALSE(List()->Modified());
  EXPECT_FALSE(CloseButtonBold());
  EXPECT_EQ(Frame().child(), List());
}

TEST_F(BankCommandsTest, ReadCommandsDoNothingWithoutThePersonnelList) {
  List()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(Frame().childKind(), ChildKind::None);
  const std::string block = MikLines({"ADDO == 680", "(6.)  == 8503124567", "ENDM"});
  WriteBankFile("data.txt", block);
  Frame().FileReadClick();
  Frame().AccFileReadClick();
  Frame().IBAN1Click();

  Frame().OpenChild(new QWidget, ChildKind::Payment);
  Frame().FileReadClick();
  Frame().AccFileReadClick();
  Frame().IBAN1Click();

  EXPECT_EQ(dialogs.openCalls, 0);
  EXPECT_EQ(modal.shown(), 0);
  EXPECT_TRUE(messages.log.empty());
  Register reg;
  ASSERT_TRUE(LoadRegister(SystemFileSystem(), reg).ok());
  EXPECT_EQ(reg.size(), 2u);
}

}  // namespace
}  // namespace zel::test
