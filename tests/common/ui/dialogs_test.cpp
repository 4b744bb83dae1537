#include "common/ui/Dialogs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>

#include "common/file_io.h"
#include "common/ui/QtText.h"
#include "support/fakes.h"
#include "support/ui/ModalScript.h"

namespace zel::test {
namespace {

using ui::Qs;

class DialogsTest : public ::testing::Test {
protected:
  // The file dialog takes `name` as if typed and confirmed.
  void ChooseFile(const QString& name) {
    modal.Then([name](QWidget* widget) {
      auto* dialog = qobject_cast<QFileDialog*>(widget);
      ASSERT_NE(dialog, nullptr);
      dialog->selectFile(name);
      static_cast<QDialog*>(dialog)->accept();  // the dialog's own checks run
    });
  }
  void Cancel() {
    modal.Then([](QWidget* widget) { static_cast<QDialog*>(widget)->reject(); });
  }

  TempDir dir;
  FakeMessages messages;
  ui::QtDialogs dialogs{messages};
  ModalScript modal;
};

TEST_F(DialogsTest, SaveDialogOffersAllFilesAndConfirmsOverwriting) {
  modal.Then([](QWidget* widget) {
    auto* dialog = qobject_cast<QFileDialog*>(widget);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog->nameFilters(), QStringList{Qs("All Files (*)")});
    dialog->reject();
  });
  EXPECT_FALSE(dialogs.SaveFileName(nullptr).has_value());
}

TEST_F(DialogsTest, SaveNameComesBackAsFullPath) {
  const QString name = ui::ToQt(dir.File("request.txt"));
  ChooseFile(name);
  const auto chosen = dialogs.SaveFileName(nullptr);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, QDir::cleanPath(name));
  EXPECT_TRUE(QDir::isAbsolutePath(*chosen));
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(DialogsTest, SaveNameInAMissingFolderIsRefusedAndAskedAgain) {
  ChooseFile(ui::ToQt(dir.File("missing/request.txt")));
  Cancel();
  EXPECT_FALSE(dialogs.SaveFileName(nullptr).has_value());
  EXPECT_EQ(modal.shown(), 2);
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_NE(messages.log[0].text.find("missing"), std::string::npos);
}

TEST_F(DialogsTest, OpenDialogReturnsAnExistingFileAndLeavesTheCurrentDirectory) {
  QDir().mkpath(ui::ToQt(dir.File("bank")));
  WriteFileBytes(dir.File("bank/accounts.txt"), "x");
  const std::string before = SystemFileSystem().CurrentDirectory();
  modal.Then([this](QWidget* widget) {
    auto* dialog = qobject_cast<QFileDialog*>(widget);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    dialog->selectFile(ui::ToQt(dir.File("bank/accounts.txt")));
    static_cast<QDialog*>(dialog)->accept();
  });
  const auto chosen = dialogs.OpenFileName(nullptr);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, ui::ToQt(dir.File("bank/accounts.txt")));
  EXPECT_EQ(SystemFileSystem().CurrentDirectory(), before);
}

TEST_F(DialogsTest, OpenDialogCancelledGivesNothing) {
  Cancel();
  EXPECT_FALSE(dialogs.OpenFileName(nullptr).has_value());
}

// The printouts print every page: the dialog offers no page range they would ignore.
TEST_F(DialogsTest, PrintDialogSetsUpThePrinterOrIsCancelled) {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(ui::ToQt(dir.File("list.pdf")));
  modal.Then([](QWidget* widget) {
    auto* dialog = qobject_cast<QPrintDialog*>(widget);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_TRUE(dialogs.ChoosePrinter(printer, nullptr));
  EXPECT_EQ(printer.outputFileName(), ui::ToQt(dir.File("list.pdf")));
  Cancel();
  EXPECT_FALSE(dialogs.ChoosePrinter(printer, nullptr));
}

TEST_F(DialogsTest, InputBoxShowsCaptionPromptAndInitialText) {
  modal.Then([](QWidget* widget) {
    auto* dialog = qobject_cast<QInputDialog*>(widget);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), Qs("Основание"));
    EXPECT_EQ(dialog->labelText(), Qs("Въведете основание"));
    EXPECT_EQ(dialog->textValue(), Qs("Заплата"));
    dialog->setTextValue(Qs("Заплата за май"));
    static_cast<QDialog*>(dialog)->accept();
  });
  const auto text = dialogs.InputText(nullptr, Qs("Основание"), Qs("Въведете основание"), Qs("Заплата"));
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, Qs("Заплата за май"));

  Cancel();
  EXPECT_FALSE(dialogs.InputText(nullptr, Qs("a"), Qs("b"), Qs("c")).has_value());
}

}  // namespace
}  // namespace zel::test
