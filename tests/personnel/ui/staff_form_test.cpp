#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QImage>
#include <QKeySequence>
#include <QListView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <tuple>

#include "common/file_io.h"
#include "personnel/ui/TFStaffForm.h"
#include "shell/ui/TSDIAppForm.h"
#include "staff_window_support.h"
#include "support/ui/Keyboard.h"
#include "support/ui/WindowTest.h"

namespace zel::test {
namespace {

using ui::Qs;
using ui::TFStaffForm;

// Makes one step of the window's file system fail for a scope.
struct FailSaveStep {
  FailSaveStep(FailingFileSystem& fs, FailingFileSystem::Step step) : fs_(fs) { fs_.fail = step; }
  ~FailSaveStep() { fs_.fail = FailingFileSystem::Step::None; }
  FailingFileSystem& fs_;
};

class StaffFormTest : public WindowTest {
protected:
  TFStaffForm* Open() {
    Frame().show();
    Frame().FileOpen1Execute();
    return qobject_cast<TFStaffForm*>(Frame().child());
  }
  template <typename T>
  static T* Get(TFStaffForm* form, const char* name) {
    T* widget = form->findChild<T*>(Qs(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  static QListView* List(TFStaffForm* form) { return Get<QListView>(form, "ListBox1"); }
  static int Rows(TFStaffForm* form) { return List(form)->model()->rowCount(); }
  static QString LineName(TFStaffForm* form, int row) { return List(form)->model()->index(row, 0).data().toString(); }
  static bool Bold(TFStaffForm* form) { return Get<QPushButton>(form, "B_Close")->font().bold(); }
  static void Select(TFStaffForm* form, int row) { List(form)->setCurrentIndex(List(form)->model()->index(row, 0)); }
  static void Click(TFStaffForm* form, const char* button) {
    QTest::mouseClick(Get<QPushButton>(form, button), Qt::LeftButton);
  }
  // "Нов" with a valid employee typed into the dialog and confirmed by Enter.
  void AddThroughDialog(TFStaffForm* form, const char* nameUtf8, const char* egn) {
    modal.Then([nameUtf8, egn](QWidget* d) {
      EXPECT_EQ(d->windowTitle(), Qs("Добавяне"));
      TypeValidEmployee(d, nameUtf8, egn);
      QTest::keyClick(Field(d, 9), Qt::Key_Return);
    });
    Click(form, "B_New");
    EXPECT_TRUE(WaitUntilNoModal());
  }
  static void Flush() {
    for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  std::vector<EmployeeRecord> RecordsOnDisk(const char* name = "employIB.dat") {
    const std::string bytes = ReadFileBytes(dir.File(name));
    std::vector<EmployeeRecord> records(bytes.size() / sizeof(EmployeeRecord));
    if (!records.empty()) std::memcpy(records.data(), bytes.data(), records.size() * sizeof(EmployeeRecord));
    return records;
  }
  void WriteFive() {
    WriteRegisterFile({Employee("Анна Бисерова Вълчева", "8001011111"), Employee("Борис Веселинов Гочев", "8001022222"),
                       Employee("Васил Георгиев Денев", "8001033333"), Employee("Галя Димова Енева", "8001044444"),
                       Employee("Димо Енев Живков", "8001055555")});
  }
};

TEST_F(StaffFormTest, RoadOfANewEmployeeFromCtrlOToTheFileAndBack) {
  Frame().show();
  QApplication::setActiveWindow(&Frame());
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  QTest::keyClick(&Frame(), Qt::Key_O, Qt::ControlModifier);
  auto* form = qobject_cast<TFStaffForm*>(Frame().child());
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Frame().childKind(), ChildKind::Personnel);
  EXPECT_EQ(form->windowTitle(), Qs("Персонал"));
  EXPECT_EQ(QApplication::focusWidget(), List(form));
  EXPECT_EQ(Rows(form), 0);
  EXPECT_FALSE(Bold(form));

  AddThroughDialog(form, "Иван Петров Иванов", "8002151234");
  EXPECT_EQ(Rows(form), 1);
  EXPECT_EQ(form->SelectedIndex(), 0);
  EXPECT_TRUE(Bold(form));
  EXPECT_FALSE(SystemFileSystem().Exists(dir.File("employIB.dat")));  // kept in memory until closing

  Click(form, "B_Close");
  Flush();
  EXPECT_EQ(Frame().child(), nullptr);
  EXPECT_EQ(Frame().childKind(), ChildKind::None);
  const auto onDisk = RecordsOnDisk();
  ASSERT_EQ(onDisk.size(), 1u);
  EXPECT_EQ(onDisk[0].FullName.str(), Cp("Иван Петров Иванов"));
  EXPECT_EQ(onDisk[0].ShortName.str(), Cp("И.П.Иванов"));
  EXPECT_EQ(onDisk[0].BirthDate.str(), "15.02.1980");

  form = Open();
  ASSERT_NE(form, nullptr);
  ASSERT_EQ(Rows(form), 1);
  EXPECT_EQ(LineName(form, 0), Qs("Иван Петров Иванов"));
  EXPECT_FALSE(Bold(form));
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(StaffFormTest, WindowHasItsSizeFrameAndCloseButtonPlace) {
  TFStaffForm* form = Open();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->size(), QSize(666, 375));
  EXPECT_EQ(Get<QFrame>(form, "Panel1")->height(), 37);
  auto* window = qobject_cast<QMdiSubWindow*>(form->parentWidget());
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  ASSERT_NE(window->systemMenu(), nullptr);
  int minimize = 0;
  for (QAction* action : window->systemMenu()->actions()) {
    if (action->text().remove(QLatin1Char('&')) == QLatin1String("Minimize")) {
      ++minimize;
      EXPECT_FALSE(action->isVisible());
    }
  }
  EXPECT_EQ(minimize, 1);
  EXPECT_EQ(List(form)->font().pixelSize(), 10);

  // "Край" keeps to the right, but never over "Изтриване".
  auto* close = Get<QPushButton>(form, "B_Close");
  auto* panel = Get<QFrame>(form, "Panel1");
  window->resize(900, 400);
  QApplication::processEvents();
  EXPECT_EQ(close->x(), panel->width() - close->width() - 10);
  window->resize(300, 400);
  QApplication::processEvents();
  ASSERT_LT(panel->width(), 198 + 78 + 4 + close->width() + 10);
  EXPECT_EQ(close->x(), 198 + 78 + 4);
}

// The keyboard alone. The list opens with no line selected, so that editing
// and deleting wait for the user to select one; Enter or Space on a button
// presses that button; each dialog is left by Enter on "Отказ", which throws
// its edit away, so the register file stays as it was.
TEST_F(StaffFormTest, KeyboardAloneTabEnterAndSpace) {
  WriteFive();
  const std::string stored = ReadFileBytes(dir.File("employIB.dat"));
  TFStaffForm* form = Open();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(TabWalk(form),
            Names({"ListBox1", "B_New", "B_edit", "B_delete", "CheckBox1", "B_Close", "B_Print", "ListBox1"}));
  const std::tuple<const char*, Qt::Key, std::string> rows[] = {
      {"ListBox1", Qt::Key_Return, ""},
      {"B_edit", Qt::Key_Return, ""},
      {"B_edit", Qt::Key_Space, ""},
      {"B_delete", Qt::Key_Return, ""},
      {"B_delete", Qt::Key_Space, ""},
      {"B_New", Qt::Key_Return, "Добавяне"},
      {"B_New", Qt::Key_Space, "Добавяне"},
      {"B_Print", Qt::Key_Return, "print"},
      {"B_Print", Qt::Key_Space, "print"},
      {"CheckBox1", Qt::Key_Return, ""},
      {"CheckBox1", Qt::Key_Space, "ticked"},
      {"ListBox1", Qt::Key_Down, "line 0"},
      {"ListBox1", Qt::Key_Return, "Редактиране"},
      {"B_edit", Qt::Key_Return, "Редактиране"},
      {"B_edit", Qt::Key_Space, "Редактиране"},
      {"B_delete", Qt::Key_Return, "ask"},
      {"B_delete", Qt::Key_Space, "ask"},
      {"B_Close", Qt::Key_Return, "closed"},
  };
  for (const auto& [widget, key, what] : rows) {
    EXPECT_EQ(Press(form, widget, key), what) << widget << " " << QKeySequence(key).toString().toStdString();
  }
  form = Open();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Press(form, "B_Close", Qt::Key_Space), "closed");
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.dat")), stored);
}

TEST_F(StaffFormTest, CommandsFollowTheNumberOfLines) {
  WriteRegisterFile({Employee("Иван Петров Иванов", "8002151234")});
  TFStaffForm* form = Open();
  ASSERT_NE(form, nullptr);
  for (const char* name : {"B_edit", "B_delete", "B_Print"}) EXPECT_TRUE(Get<QPushButton>(form, name)->isEnabled());
  Select(form, 0);
  messages.answers = {true};
  Click(form, "B_delete");
  EXPECT_EQ(Rows(form), 0);
  EXPECT_EQ(form->SelectedIndex(), -1);
  for (const char* name : {"B_edit", "B_delete", "B_Print"}) EXPECT_FALSE(Get<QPushButton>(form, name)->isEnabled());
  EXPECT_TRUE(Get<QPushButton>(form, "B_New")->isEnabled());
  // Enter on the empty list opens nothing (an unexpected dialog would fail the test).
  QTest::keyClick(List(form), Qt::Key_Return);
}

TEST_F(StaffFormTest, DeleteAsksFirstAndSelectsTheNeighbour) {
  WriteFive();
  TFStaffForm* form = Open();
  ASSERT_NE(form, nullptr);
  Select(form, 4);
  messages.answers = {false, true, true};
  Click(form, "B_delete");
  EXPECT_EQ(Rows(form), 5);
  EXPECT_FALSE(form->Modified());
  EXPECT_FALSE(Bold(form));
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].kind, "ask");
  EXPECT_EQ(messages.log[0].caption, Cp("Изтриване"));
  EXPECT_EQ(messages.log[0].text, Cp("Искате ли да го изтриете"));
  EXPECT_EQ(messages.icons[0], Messages::Icon::Question);
  EXPECT_EQ(messages.defaults[0], Messages::Default::Cancel);

  Click(form, "B_delete");
  EXPECT_EQ(Rows(form), 4);
  EXPECT_EQ(form->SelectedIndex(), 3);  // the new last line
  EXPECT_TRUE(Bold(form));
  Select(form, 0);
  Click(form, "B_delete");
  EXPECT_EQ(form->SelectedIndex(), 0);
  EXPECT_EQ(LineName(form, 0), Qs("Борис Веселинов Гочев"));

  Click(form, "B_Close");
  Flush();
  const auto saved = RecordsOnDisk();
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(saved[0].EGN.str(), "8001022222");
  EXPECT_EQ(RecordsOnDisk("employIB.bak").size(), 5u);  // the previous register kept
}

TEST_F(StaffFormTest, EnterAndDoubleClickEditTheSelectedLine) {
  WriteFive();
  TFStaffForm* form = Open();
  ASSERT_NE(form, nullptr);
  Select(form, 1);
  modal.Then([](QWidget* d) {
    EXPECT_EQ(d->windowTitle(), Qs("Редактиране"));
    EXPECT_EQ(Field(d, 1)->text(), Qs("Борис Веселинов Гочев"));
    Type(d, 1, "Борис Веселинов Гошев");
    QTest::keyClick(Field(d, 1), Qt::Key_Enter);
  });
  QTest::keyClick(List(form), Qt::Key_Return);
  ASSERT_TRUE(WaitUntilNoModal());
  EXPECT_EQ(LineName(form, 1), Qs("Борис Веселинов Гошев"));
  EXPECT_EQ(form->SelectedIndex(), 1);
  EXPECT_TRUE(Bold(form));

  QListView* list = List(form);
  const QRect third = list->visualRect(list->model()->index(2, 0));
  modal.Then([](QWidget* d) {
    EXPECT_EQ(Field(d, 1)->text(), Qs("Васил Георгиев Денев"));
    QTest::keyClick(d, Qt::Key_Escape);
  });
  // A double click follows the press of its first click.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third.center());
  ASSERT_TRUE(WaitUntilNoModal());
  EXPECT_EQ(LineName(form, 2), Qs("Васил Георгиев Денев"));
  EXPECT_EQ(modal.shown(), 2);
  Click(form, "B_Close");
  Flush();
  EXPECT_EQ(RecordsOnDisk().at(1).ShortName.str(), Cp("Б.В.Гошев"));
}

TEST_F(StaffFormTest, ClosingWithoutAChangeTouchesNoFile) {
  WriteFive();
  WriteFileBytes(dir.File("employIB.bak"), "older");
  namespace fs = std::filesystem;
  const auto past = fs::file_time_type::clock::now() - std::chrono::hours(24);
  fs::last_write_time(dir.File("employIB.dat"), past);
  fs::last_write_time(dir.File("employIB.bak"), past);
  const std::string before = ReadFileBytes(dir.File("employIB.dat"));

  TFStaffForm* form = Open();
  ASSERT_NE(form, nullptr);
  Select(form, 0);
  modal.Then([](QWidget* d) {
    Type(d, 1, "Друг Човек Някой");
    QTest::keyClick(d, Qt::Key_Escape);
  });
  Click(form, "B_edit");  // cancelled: no change
  ASSERT_TRUE(WaitUntilNoModal());
  EXPECT_FALSE(Bold(form));
  qobject_cast<QMdiSubWindow*>(form->parentWidget())->close();  // the window's close box
  Flush();
  EXPECT_EQ(Frame().child(), nullptr);
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.dat")), before);
  EXPECT_EQ(ReadFileBytes(dir.File("employIB.bak")), "older");
  EXPECT_EQ(fs::last_write_time(dir.File("employIB.dat")), past);
  EXPECT_EQ(fs::last_write_time(dir.File("employIB.bak")), past);
}

TEST_F(StaffFormTest, FailedSaveKeepsTheWindowAndItsRecords) {
  WriteFive();
  const std::string before = ReadFileBytes(dir.File("employIB.dat"));
  TFStaffForm* form = Open();
  ASSERT_NE(form, nullptr);
  {
    FailSaveStep fail(files, FailingFileSystem::Step::Rename);
    AddThroughDialog(form, "Иван Петров Иванов", "8002151234");
    Click(form, "B_Close");
    Flush();
    ASSERT_EQ(Frame().child(), form);
    qobject_cast<QMdiSubWindow*>(form->parentWidget())->close();  // nor by the close box
    Flush();
    ASSERT_EQ(Frame().child(), form);
    EXPECT_EQ(messages.log.size(), 2u);
    EXPECT_EQ(Frame().childKind(), ChildKind::Personnel);
    ASSERT_FALSE(messages.log.empty());
    EXPECT_EQ(messages.log.back().kind, "error");
    EXPECT_EQ(Rows(form), 6);
    EXPECT_TRUE(Bold(form));
    EXPECT_EQ(ReadFileBytes(dir.File("employIB.dat")), before);
  }
  Click(form, "B_Close");
  Flush();
  EXPECT_EQ(Frame().child(), nullptr);
  EXPECT_EQ(RecordsOnDisk().size(), 6u);
}

TEST_F(StaffFormTest, UnreadableRegisterIsReportedAndOpensNoWindow) {
  // Saving a register that was not read would overwrite the real one.
  std::filesystem::create_directory(dir.File("employIB.dat"));
  Frame().FileOpen1Execute();
  EXPECT_EQ(Frame().child(), nullptr);
  EXPECT_EQ(Frame().childKind(), ChildKind::None);
  ASSERT_EQ(messages.log.size(), 1u);
  EXPECT_EQ(messages.log[0].kind, "error");
}

TEST_F(StaffFormTest, OldAccountsBoxRedrawsTheThirdColumn) {
  EmployeeRecord r = Employee("Иван Петров Иванов", "8002151234", "BG80BNBG96611020345678");
  r.Account = std::string("1234567890");
  WriteRegisterFile({r});
  TFStaffForm* form = Open();
  ASSERT_NE(form, nullptr);
  QListView* list = List(form);
  list->clearSelection();
  const QImage withIban = list->viewport()->grab().toImage();
  QTest::mouseClick(Get<QCheckBox>(form, "CheckBox1"), Qt::LeftButton);
  const QImage withAccount = list->viewport()->grab().toImage();
  EXPECT_NE(withIban, withAccount);
  QTest::mouseClick(Get<QCheckBox>(form, "CheckBox1"), Qt::LeftButton);
  EXPECT_EQ(list->viewport()->grab().toImage(), withIban);
}

TEST_F(StaffFormTest, PrintsTheListInTheListsFont) {
  WriteFive();
  TFStaffForm* form = Open();
  ASSERT_NE(form, nullptr);
  Click(form, "B_Print");
  EXPECT_EQ(printer.dialogs, 1);
  ASSERT_FALSE(printer.ops->empty());
  EXPECT_EQ((*printer.ops)[0].kind, "font");
  EXPECT_EQ((*printer.ops)[0].text, "Times New Roman");
  EXPECT_EQ((*printer.ops)[0].x1, 10);
  const auto texts = printer.Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "8001055555"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), Cp("Димо Енев Живков")), texts.end());

  printer.accept = false;
  printer.ops->clear();
  Click(form, "B_Print");
  EXPECT_TRUE(printer.ops->empty());
  EXPECT_TRUE(messages.log.empty());
}

}  // namespace
}  // namespace zel::test
