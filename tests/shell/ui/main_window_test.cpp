#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "common/cp1251.h"
#include "common/data_files.h"
#include "common/file_io.h"
#include "common/ui/QtText.h"
#include "shell/data_folder_lock.h"
#include "shell/ui/Startup.h"
#include "shell/ui/TAboutBox.h"
#include "shell/ui/TSDIAppForm.h"
#include "support/ui/Keyboard.h"
#include "support/ui/WindowTest.h"
#include "version.h"

namespace zel::test {
namespace {

using ui::Qs;
using ui::TSDIAppForm;

// Lets the windows that closed go away.
void Flush() {
  for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class MainWindowTest : public WindowTest {
protected:
  QAction* Action(const char* name) {
    QAction* action = Frame().findChild<QAction*>(Qs(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
  }
  bool Enabled(const char* name) {
    QAction* action = Action(name);
    return action != nullptr && action->isEnabled();
  }
  // A stand-in for a list window.
  QWidget* OpenDummyChild(ChildKind kind) {
    auto* child = new QWidget;
    Frame().OpenChild(child, kind);
    return child;
  }
  void ExpectOpenCommands(bool enabled) {
    for (const char* name : {"ToolButton1", "FileOpenItem", "ToolButton3", "FileSaveItem"}) {
      EXPECT_EQ(Enabled(name), enabled) << name;
    }
  }
  void ExpectWriteCommands(bool enabled) {
    for (const char* name : {"ToolButton2", "FileSaveAsItem"}) EXPECT_EQ(Enabled(name), enabled) << name;
  }
  void ExpectReadCommands(bool enabled) {
    for (const char* name : {"FileRead", "AccFileRead", "IBAN1"}) EXPECT_EQ(Enabled(name), enabled) << name;
  }
  // The payment list's own commands, and the export of either list.
  void ExpectListCommands(bool payment, bool any) {
    for (const char* name : {"SepaItem", "ImportItem"}) EXPECT_EQ(Enabled(name), payment) << name;
    EXPECT_EQ(Enabled("ExportItem"), any);
  }
  void ExpectAlwaysEnabled() {
    for (const char* name : {"firmData", "FileExitItem", "HelpAboutItem"}) EXPECT_TRUE(Enabled(name)) << name;
  }
};

TEST_F(MainWindowTest, MenuHoldsTheCommandsInOrderWithTheirCaptions) {
  TSDIAppForm& frame = Frame();
  EXPECT_EQ(frame.windowTitle(), Qs("ZEL"));
  ASSERT_NE(frame.findChild<QMenuBar*>(Qs("MainMenu1")), nullptr);
  auto* file = frame.findChild<QMenu*>(Qs("File1"));
  auto* help = frame.findChild<QMenu*>(Qs("Help1"));
  ASSERT_NE(file, nullptr);
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(file->title(), Qs("Данни"));
  EXPECT_EQ(help->title(), Qs("Помощ"));
  EXPECT_EQ(frame.menuBar()->actions(), (QList<QAction*>{file->menuAction(), help->menuAction()}));

  const std::pair<const char*, const char*> items[] = {{"FileOpenItem", "Персонал"},
                                                       {"FileSaveItem", "Масово плащане"},
                                                       {"firmData", "Данни за Фирмата"},
                                                       {"FileSaveAsItem", "Запис във файл"},
                                                       {"SepaItem", "SEPA файл (XML)"},
                                                       {"FileRead", "Четене на данни"},
                                                       {"AccFileRead", "Четене на сметки"},
                                                       {"IBAN1", "Зареждане IBAN сметки"},
                                                       {"ImportItem", "Внос на суми от файл"},
                                                       {"ExportItem", "Износ в CSV"},
                                                       {"EuroItem", "Превръщане в евро"},
                                                       {"N1", ""},
                                                       {"FileExitItem", "Изход"}};
  const QList<QAction*> actions = file->actions();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(items)));
  for (qsizetype i = 0; i < actions.size(); ++i) {
    EXPECT_EQ(actions[i]->objectName(), Qs(items[i].first));
    EXPECT_EQ(actions[i]->text(), Qs(items[i].second)) << items[i].first;
  }
  EXPECT_TRUE(Action("N1")->isSeparator());
  EXPECT_EQ(help->actions(), QList<QAction*>{Action("HelpAboutItem")});
  EXPECT_EQ(Action("HelpAboutItem")->text(), Qs("&About..."));
}

TEST_F(MainWindowTest, ShortcutsOpenTheListsOnly) {
  EXPECT_EQ(Action("FileOpenItem")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  // Ctrl+S is the mass payment list, not a save.
  EXPECT_EQ(Action("FileSaveItem")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
  for (const char* name : {"firmData", "FileSaveAsItem", "FileRead", "AccFileRead", "IBAN1", "FileExitItem",
                           "HelpAboutItem", "ToolButton1", "ToolButton2", "ToolButton3"}) {
    EXPECT_TRUE(Action(name)->shortcut().isEmpty()) << name;
  }
}

TEST_F(MainWindowTest, HintsSplitIntoTooltipAndStatusText) {
  struct Hint {
    const char* name;
    const char* tip;
    const char* status;
  };
  const Hint hints[] = {
      {"FileOpenItem", "Персонал", "Данни за персонала"},
      {"FileSaveItem", "Масово плащане", "Данни за масово плащане"},
      {"FileSaveAsItem", "Запис ", " Запис във файл"},
      {"FileExitItem", "Изход ", " Изход от програмата"},
      {"HelpAboutItem", "За програмата", "Показва информация за програмата, номера на версията и правата"},
      {"ToolButton1", "Персонал", "Персонал"},
      {"ToolButton2", "Запис ", " Запис във файл"},
  };
  for (const Hint& hint : hints) {
    EXPECT_EQ(Action(hint.name)->toolTip(), Qs(hint.tip)) << hint.name;
    EXPECT_EQ(Action(hint.name)->statusTip(), Qs(hint.status)) << hint.name;
  }
  auto* file = Frame().findChild<QMenu*>(Qs("File1"));
  EXPECT_EQ(file->menuAction()->statusTip(), Qs("Команди за работа с данни"));
  EXPECT_EQ(Frame().findChild<QMenu*>(Qs("Help1"))->menuAction()->statusTip(), Qs("Помощ"));
  // Tool button 3 has no hint at all.
  EXPECT_TRUE(Action("ToolButton3")->toolTip().isEmpty());
  EXPECT_TRUE(Action("ToolButton3")->statusTip().isEmpty());
}

TEST_F(MainWindowTest, StatusBarShowsTheLongHint) {
  TSDIAppForm& frame = Frame();
  auto* statusBar = frame.findChild<QStatusBar*>(Qs("StatusBar"));
  ASSERT_NE(statusBar, nullptr);
  Action("FileSaveItem")->showStatusText(&frame);
  EXPECT_EQ(statusBar->currentMessage(), Qs("Данни за масово плащане"));
  auto* button = frame.findChild<QToolButton*>(Qs("ToolButton2"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->statusTip(), Qs(" Запис във файл"));
}

TEST_F(MainWindowTest, ToolBarButtonsLeftToRight) {
  auto* bar = Frame().findChild<QToolBar*>(Qs("ToolBar1"));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->actions(), (QList<QAction*>{Action("ToolButton1"), Action("ToolButton3"), Action("ToolButton2")}));
  EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonIconOnly);
  for (QAction* action : bar->actions()) {
    EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->objectName(), action->objectName());
    EXPECT_FALSE(button->accessibleName().isEmpty());
  }
  for (const char* name : {"FileOpenItem", "FileSaveItem", "FileSaveAsItem"}) {
    EXPECT_FALSE(Action(name)->icon().isNull()) << name;
  }
}

TEST_F(MainWindowTest, FontIsTimesNewRomanOf14Pixels) {
  const QFont font = Frame().font();
  EXPECT_EQ(font.family(), Qs("Times New Roman"));
  EXPECT_EQ(font.pixelSize(), 14);
  EXPECT_EQ(Frame().clientArea()->font().pixelSize(), 14);
}

TEST_F(MainWindowTest, CommandStatesFollowTheChild) {
  Frame();
  ExpectOpenCommands(true);
  ExpectWriteCommands(false);
  ExpectReadCommands(false);
  ExpectListCommands(false, false);
  ExpectAlwaysEnabled();

  QWidget* personnel = OpenDummyChild(ChildKind::Personnel);
  EXPECT_EQ(Frame().childKind(), ChildKind::Personnel);
  EXPECT_EQ(Frame().child(), personnel);
  EXPECT_EQ(Frame().clientArea()->subWindowList().size(), 1);
  ExpectOpenCommands(false);
  ExpectWriteCommands(true);
  ExpectReadCommands(true);
  ExpectListCommands(false, true);
  ExpectAlwaysEnabled();

  Frame().ChildClosed();
  EXPECT_EQ(Frame().childKind(), ChildKind::None);
  ExpectOpenCommands(true);
  ExpectWriteCommands(false);
  ExpectReadCommands(false);
  QPointer<QWidget> gone(personnel);
  Flush();
  EXPECT_TRUE(gone.isNull());
  EXPECT_TRUE(Frame().clientArea()->subWindowList().isEmpty());

  OpenDummyChild(ChildKind::Payment);
  EXPECT_EQ(Frame().childKind(), ChildKind::Payment);
  ExpectOpenCommands(false);
  ExpectWriteCommands(true);
  ExpectReadCommands(false);
  ExpectListCommands(true, true);
  ExpectAlwaysEnabled();
}

TEST_F(MainWindowTest, ClosingTheChildWindowEmptiesTheFrame) {
  QWidget* child = OpenDummyChild(ChildKind::Payment);
  QPointer<QMdiSubWindow> window = Frame().clientArea()->subWindowList().value(0);
  ASSERT_NE(window, nullptr);
  // The user closes the child's window frame.
  window->close();
  Flush();
  EXPECT_EQ(Frame().childKind(), ChildKind::None);
  EXPECT_EQ(Frame().child(), nullptr);
  EXPECT_TRUE(window.isNull());
  ExpectOpenCommands(true);
  ExpectWriteCommands(false);
  (void)child;
}

TEST_F(MainWindowTest, ChildThatClosesItselfLeavesNoEmptyFrameBehind) {
  QWidget* child = OpenDummyChild(ChildKind::Personnel);
  QPointer<QMdiSubWindow> window = Frame().clientArea()->subWindowList().value(0);
  child->close();
  Flush();
  EXPECT_EQ(Frame().childKind(), ChildKind::None);
  EXPECT_TRUE(window.isNull());
  EXPECT_TRUE(Frame().clientArea()->subWindowList().isEmpty());
  ExpectOpenCommands(true);
}

TEST_F(MainWindowTest, ChildKeepsTheSizeItChose) {
  Frame().show();
  auto* child = new QWidget;
  child->resize(500, 300);
  Frame().OpenChild(child, ChildKind::Personnel);
  QApplication::processEvents();
  EXPECT_EQ(child->size(), QSize(500, 300));
}

TEST_F(MainWindowTest, SecondChildIsRefused) {
  QWidget* first = OpenDummyChild(ChildKind::Personnel);
  QPointer<QWidget> second = new QWidget;
  Frame().OpenChild(second, ChildKind::Payment);
  Flush();
  EXPECT_TRUE(second.isNull());
  EXPECT_EQ(Frame().child(), first);
  EXPECT_EQ(Frame().childKind(), ChildKind::Personnel);
  EXPECT_EQ(Frame().clientArea()->subWindowList().size(), 1);
}

TEST_F(MainWindowTest, OpenCommandsDoNothingWhileAChildIsOpen) {
  QWidget* child = OpenDummyChild(ChildKind::Personnel);
  Frame().FileOpen1Execute();
  Frame().ToolButton3Click();
  Action("FileSaveItem")->trigger();  // disabled: no effect either
  EXPECT_EQ(Frame().child(), child);
  EXPECT_EQ(Frame().childKind(), ChildKind::Personnel);
  EXPECT_EQ(Frame().clientArea()->subWindowList().size(), 1);
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(MainWindowTest, WriteFileAsksForANameOnlyWithThePersonnelList) {
  Frame().FileSave1Execute();
  EXPECT_EQ(dialogs.saveCalls, 0);

  OpenDummyChild(ChildKind::Payment);
  Frame().FileSave1Execute();
  EXPECT_EQ(dialogs.saveCalls, 0);  // the payment file dialog of the list instead
  Frame().ChildClosed();

  Frame().FileOpen1Execute();                 // the personnel list asks for the name itself
  dialogs.saveNames.push_back(std::nullopt);  // cancelled
  Action("FileSaveAsItem")->trigger();
  EXPECT_EQ(dialogs.saveCalls, 1);
  Action("ToolButton2")->trigger();
  EXPECT_EQ(dialogs.saveCalls, 2);
  EXPECT_EQ(Frame().childKind(), ChildKind::Personnel);
}

TEST_F(MainWindowTest, BankFilesAreReadOnlyIntoThePersonnelList) {
  Frame().FileReadClick();
  Frame().AccFileReadClick();
  Frame().IBAN1Click();
  EXPECT_EQ(dialogs.openCalls, 0);

  OpenDummyChild(ChildKind::Payment);
  Frame().FileReadClick();
  Frame().AccFileReadClick();
  Frame().IBAN1Click();
  EXPECT_EQ(dialogs.openCalls, 0);
  Frame().ChildClosed();

  Frame().FileOpen1Execute();
  Action("FileRead")->trigger();
  Action("AccFileRead")->trigger();
  Action("IBAN1")->trigger();
  EXPECT_EQ(dialogs.openCalls, 3);
}

TEST_F(MainWindowTest, CloseIsRefusedWhileAChildIsOpen) {
  TSDIAppForm& frame = Frame();
  frame.show();
  QWidget* child = OpenDummyChild(ChildKind::Personnel);
  EXPECT_FALSE(frame.close());
  Action("FileExitItem")->trigger();
  EXPECT_TRUE(frame.isVisible());
  ASSERT_EQ(messages.log.size(), 2u);
  for (const auto& entry : messages.log) {
    EXPECT_EQ(entry.kind, "show");
    EXPECT_EQ(entry.text, Cp("Затворете всички активни прозорци !!!"));
  }
  EXPECT_EQ(frame.child(), child);
}

TEST_F(MainWindowTest, CloseIsAllowedWithoutAChild) {
  TSDIAppForm& frame = Frame();
  frame.show();
  OpenDummyChild(ChildKind::Payment);
  Frame().clientArea()->closeAllSubWindows();
  Flush();
  Action("FileExitItem")->trigger();
  EXPECT_FALSE(frame.isVisible());
  EXPECT_TRUE(messages.log.empty());
}

TEST_F(MainWindowTest, OlderDataIsConvertedAtStartUpBeforeDataDirIsSet) {
  WriteFileBytes(dir.File("employs.dat"), "");
  SetDataDir("");  // as when the program starts
  messages.answers = {false};
  const auto mainWindow = ui::StartUp(services);
  ASSERT_NE(mainWindow, nullptr);
  ASSERT_EQ(messages.log.size(), 2u);
  EXPECT_EQ(messages.log[0].kind, "show");
  // Converted data is in leva: the euro question follows.
  EXPECT_EQ(messages.log[1].kind, "ask");
  EXPECT_TRUE(SystemFileSystem().Exists(dir.File("employIB.dat")));
  EXPECT_EQ(DataDir(), files::WithSeparator(SystemFileSystem(), SystemFileSystem().CurrentDirectory()));
}

TEST_F(MainWindowTest, NoConversionWithoutOlderData) {
  const auto mainWindow = ui::StartUp(services);
  ASSERT_NE(mainWindow, nullptr);
  EXPECT_TRUE(messages.log.empty());
  EXPECT_FALSE(SystemFileSystem().Exists(dir.File("employIB.dat")));
}

// What saves killed in their middle left goes at start-up; a user's copies stay.
TEST_F(MainWindowTest, StaleTemporariesOfTheDataFilesGoAtStartUp) {
  for (const char* name : {"employIB.dat.tmp-a1B2c3", "masspIB.dat.tmp-000000", "employIB.dat.backup"}) {
    WriteFileBytes(dir.File(name), "x");
  }
  const auto mainWindow = ui::StartUp(services);
  ASSERT_NE(mainWindow, nullptr);
  EXPECT_FALSE(SystemFileSystem().Exists(dir.File("employIB.dat.tmp-a1B2c3")));
  EXPECT_FALSE(SystemFileSystem().Exists(dir.File("masspIB.dat.tmp-000000")));
  EXPECT_TRUE(SystemFileSystem().Exists(dir.File("employIB.dat.backup")));
}

// Messages that note whether the application had its icon when each showed.
class IconCheckingMessages : public FakeMessages {
public:
  void Show(const std::string& text) override {
    withIcon.push_back(!QApplication::windowIcon().isNull());
    FakeMessages::Show(text);
  }
  std::vector<bool> withIcon;
};

// A second copy on the same data folder ends before it touches a file, with
// a message box that carries the program's icon; the first holds the folder
// as long as its main window lives.
TEST_F(MainWindowTest, ASecondCopyOnTheDataFolderEndsBeforeTouchingAFile) {
  WriteFileBytes(dir.File("employs.dat"), "");
  WriteFileBytes(dir.File("employIB.dat.tmp-a1B2c3"), "x");
  SetDataDir("");
  QApplication::setWindowIcon(QIcon());
  IconCheckingMessages refusals;
  ui::Services second{refusals, settings, printer, clock, dialogs, files, folder};
  {
    std::unique_ptr<FileLock> otherCopy;
    bool held = false;
    ASSERT_TRUE(files.LockFile(dir.File(kLockFile), "SMETKI-2", otherCopy, held).ok());
    EXPECT_EQ(ui::StartUp(second), nullptr);
  }
  EXPECT_EQ(refusals.withIcon, std::vector<bool>{true});
  EXPECT_NE(refusals.log.at(0).text.find("SMETKI-2"), std::string::npos);
  EXPECT_FALSE(SystemFileSystem().Exists(dir.File("employIB.dat")));
  EXPECT_TRUE(SystemFileSystem().Exists(dir.File("employIB.dat.tmp-a1B2c3")));
  EXPECT_EQ(DataDir(), "");

  messages.answers = {false};  // the converted older register is in leva: not into euro now
  auto first = ui::StartUp(services);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(ui::StartUp(second), nullptr);
  EXPECT_EQ(refusals.log.size(), 2u);
  first.reset();
  refusals.answers = {false};
  EXPECT_NE(ui::StartUp(second), nullptr);
}

TEST_F(MainWindowTest, AboutBoxShowsTheProductAndClosesWithOk) {
  auto* about = new ui::TAboutBox(&Frame());
  Frame().SetAboutBox(about);
  EXPECT_EQ(about->windowTitle(), Qs("About"));
  const std::pair<const char*, const char*> labels[] = {
      {"ProductName", "Torva"}, {"Version", "Version: " ZEL_VERSION}, {"Label2", "IBAN complient"}};
  for (const auto& [name, text] : labels) {
    auto* label = about->findChild<QLabel*>(Qs(name));
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->text(), Qs(text));
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
  }
  auto* web = about->findChild<QLabel*>(Qs("Label1"));
  ASSERT_NE(web, nullptr);
  EXPECT_FALSE(web->text().isEmpty());
  auto* icon = about->findChild<QLabel*>(Qs("ProgramIcon"));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->size(), QSize(97, 97));
  EXPECT_FALSE(icon->pixmap().isNull());
  auto* ok = about->findChild<QPushButton*>(Qs("OKButton"));
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), Qs("OK"));
  EXPECT_TRUE(ok->isDefault());

  bool modalWhenShown = false;
  modal.Then([&](QWidget* dialog) {
    modalWhenShown = dialog == about;
    about->findChild<QPushButton*>(Qs("OKButton"))->click();
  });
  Action("HelpAboutItem")->trigger();
  EXPECT_TRUE(modalWhenShown);
  EXPECT_EQ(about->result(), QDialog::Accepted);
  EXPECT_FALSE(about->isVisible());
  // The box is kept for the next time.
  EXPECT_EQ(Frame().findChild<ui::TAboutBox*>(), about);
}

// The keyboard alone: "OK" is the one stop of Tab, and Enter or Space on it
// closes the box with OK; Escape closes it too, without.
TEST_F(MainWindowTest, AboutBoxKeyboardAloneTabEnterAndSpace) {
  ui::TAboutBox about;
  const KeyPress presses[] = {{"OKButton", Qt::Key_Return, QDialog::Accepted},
                              {"OKButton", Qt::Key_Space, QDialog::Accepted},
                              {"OKButton", Qt::Key_Escape, QDialog::Rejected}};
  for (const KeyPress& press : presses) {
    int result = kStaysOpen;
    modal.Then([&](QWidget* dialog) {
      EXPECT_EQ(TabWalk(dialog), Names({"OKButton", "OKButton"}));
      result = PressIn(dialog, press);
    });
    about.exec();
    EXPECT_EQ(result, press.result) << Describe(press);
  }
}

TEST_F(MainWindowTest, AboutBoxIsCentredAndOfFixedSize) {
  ui::TAboutBox about;
  modal.Then([&](QWidget* dialog) {
    const QRect screen = dialog->screen()->availableGeometry();
    // Within the few pixels the window frame adds once shown.
    EXPECT_LE((dialog->frameGeometry().center() - screen.center()).manhattanLength(), 8);
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    static_cast<QDialog*>(dialog)->reject();
  });
  about.exec();
  EXPECT_EQ(modal.shown(), 1);
}

}  // namespace
}  // namespace zel::test
