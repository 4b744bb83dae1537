#pragma once
// The main window: a multi-document frame with the menu, the tool bar and the
// status bar, holding at most one child window (the personnel list or the
// mass payment list).

#include <QMainWindow>
#include <QPointer>

#include "common/ui/Services.h"
#include "shell/startup_rules.h"

class QAction;
class QMdiArea;
class QMenu;
class QToolBar;
class QStatusBar;

namespace zel {
enum class BankFile;
}  // namespace zel

namespace zel::ui {

class ListWindow;
class TAboutBox;

class TSDIAppForm : public QMainWindow {
  Q_OBJECT
public:
  // Runs FormCreate: the commands of the empty frame.
  explicit TSDIAppForm(Services& services, QWidget* parent = nullptr);
  ~TSDIAppForm() override;

  // Puts `child` into the frame as its one child window and enables the
  // commands of that kind. The frame owns the child from here on; the child
  // window is deleted when it closes. Only while no child is open.
  void OpenChild(QWidget* child, ChildKind kind);
  // The frame is empty again: runs when the child window is destroyed, which
  // follows its accepted close. Calling it twice is harmless.
  void ChildClosed();
  ChildKind childKind() const { return childKind_; }
  QWidget* child() const { return child_; }
  QMdiArea* clientArea() const { return ClientArea; }

  // Enables the commands that the child in the frame (or none) and the data
  // folder's currency allow.
  void UpdateCommands();

  // The About box created at start; without one a box is made when first needed.
  void SetAboutBox(TAboutBox* box) { AboutBox = box; }

  // The commands.
  void FileOpen1Execute();
  void ToolButton3Click();
  void FileSave1Execute();
  void FileReadClick();
  void AccFileReadClick();
  void IBAN1Click();
  void SepaItemClick();
  void ImportItemClick();
  void ExportItemClick();
  void firmDataClick();
  void EuroItemClick();
  void HelpAbout1Execute();
  void FileExit1Execute();

  // False, after telling the user, while a child window is open.
  bool FormCloseQuery();

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void FormCreate();
  void CreateMenu();
  void CreateToolBar();
  void ReadBankFileCommand(BankFile kind);
  // Puts the list into the frame, unless it could not read its data.
  void OpenList(ListWindow* list, ChildKind kind);
  // The open child as a list window, or nullptr.
  ListWindow* List() const;

  Services& services_;
  QPointer<QWidget> child_;
  QPointer<QWidget> childWindow_;  // the MDI frame around the child
  ChildKind childKind_ = ChildKind::None;
  QMetaObject::Connection childWatch_;
  TAboutBox* AboutBox = nullptr;

  QMdiArea* ClientArea = nullptr;
  QToolBar* ToolBar1 = nullptr;
  QAction* ToolButton1 = nullptr;
  QAction* ToolButton2 = nullptr;
  QAction* ToolButton3 = nullptr;
  QStatusBar* StatusBar = nullptr;
  QMenu* File1 = nullptr;
  QAction* FileOpenItem = nullptr;
  QAction* FileSaveItem = nullptr;
  QAction* firmData = nullptr;
  QAction* FileSaveAsItem = nullptr;
  QAction* FileRead = nullptr;
  QAction* AccFileRead = nullptr;
  QAction* IBAN1 = nullptr;
  QAction* SepaItem = nullptr;
  QAction* ImportItem = nullptr;
  QAction* ExportItem = nullptr;
  QAction* EuroItem = nullptr;
  QAction* N1 = nullptr;
  QAction* FileExitItem = nullptr;
  QMenu* Help1 = nullptr;
  QAction* HelpAboutItem = nullptr;
};

}  // namespace zel::ui
