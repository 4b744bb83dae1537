#include "shell/ui/TSDIAppForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <string_view>

#include "common/cp1251.h"
#include "common/ui/Dialogs.h"
#include "common/ui/QtText.h"
#include "company/ui/TFfirmdata.h"
#include "payment/ui/TFMoneyForm.h"
#include "personnel/bank_readers.h"
#include "personnel/ui/TFStaffForm.h"
#include "shell/hints.h"
#include "shell/ui/EuroCommand.h"
#include "shell/ui/TAboutBox.h"
#include "shell/ui/ToolIcons.h"

namespace zel::ui {

namespace {

QString FromUtf8(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// The tooltip shows the short part of a hint, the status bar the long part.
void SetHint(QAction* action, const char* hint) {
  action->setToolTip(FromUtf8(ShortHint(hint)));
  action->setStatusTip(FromUtf8(LongHint(hint)));
}

QAction* NewAction(QObject* parent, const char* name, const char* caption) {
  auto* action = new QAction(Qs(caption), parent);
  action->setObjectName(Qs(name));
  return action;
}

constexpr const char* kSaveAsHint = "Запис | Запис във файл";

}  // namespace

TSDIAppForm::TSDIAppForm(Services& services, QWidget* parent) : QMainWindow(parent), services_(services) {
  setObjectName(Qs("SDIAppForm"));
  setWindowTitle(Qs("ZEL"));
  setWindowIcon(QIcon(ProgramPicture(64)));
  QFont font(Qs("Times New Roman"));
  font.setPixelSize(14);
  setFont(font);
  // No menu for hiding the tool bar: there would be no obvious way back.
  setContextMenuPolicy(Qt::PreventContextMenu);
  resize(900, 640);

  ClientArea = new QMdiArea(this);
  ClientArea->setObjectName(Qs("ClientArea"));
  setCentralWidget(ClientArea);

  StatusBar = new QStatusBar(this);
  StatusBar->setObjectName(Qs("StatusBar"));
  setStatusBar(StatusBar);

  CreateMenu();
  CreateToolBar();
  FormCreate();
}

TSDIAppForm::~TSDIAppForm() {
  // A child still in the frame goes down with it: nothing left to update.
  disconnect(childWatch_);
}

void TSDIAppForm::CreateMenu() {
  QMenuBar* menu = menuBar();
  menu->setObjectName(Qs("MainMenu1"));
  // The menu bar speaks in the system's menu font, as its drop-down menus do.
  menu->setFont(QApplication::font(menu));

  File1 = menu->addMenu(Qs("Данни"));
  File1->setObjectName(Qs("File1"));
  File1->menuAction()->setObjectName(Qs("File1"));
  SetHint(File1->menuAction(), "Команди за работа с данни");

  FileOpenItem = NewAction(this, "FileOpenItem", "Персонал");
  FileOpenItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  FileOpenItem->setIcon(PersonnelIcon());
  SetHint(FileOpenItem, "Персонал|Данни за персонала");
  connect(FileOpenItem, &QAction::triggered, this, &TSDIAppForm::FileOpen1Execute);

  // Ctrl+S opens the mass payment list; it saves nothing.
  FileSaveItem = NewAction(this, "FileSaveItem", "Масово плащане");
  FileSaveItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  FileSaveItem->setIcon(PaymentIcon());
  SetHint(FileSaveItem, "Масово плащане|Данни за масово плащане");
  connect(FileSaveItem, &QAction::triggered, this, &TSDIAppForm::ToolButton3Click);

  firmData = NewAction(this, "firmData", "Данни за Фирмата");
  connect(firmData, &QAction::triggered, this, &TSDIAppForm::firmDataClick);

  FileSaveAsItem = NewAction(this, "FileSaveAsItem", "Запис във файл");
  FileSaveAsItem->setIcon(SaveAsIcon());
  SetHint(FileSaveAsItem, kSaveAsHint);
  connect(FileSaveAsItem, &QAction::triggered, this, &TSDIAppForm::FileSave1Execute);

  SepaItem = NewAction(this, "SepaItem", "SEPA файл (XML)");
  SetHint(SepaItem, "SEPA файл|Масовото плащане като SEPA нареждане за кредитен превод (XML) за всяка банка");
  connect(SepaItem, &QAction::triggered, this, &TSDIAppForm::SepaItemClick);

  FileRead = NewAction(this, "FileRead", "Четене на данни");
  connect(FileRead, &QAction::triggered, this, &TSDIAppForm::FileReadClick);
  AccFileRead = NewAction(this, "AccFileRead", "Четене на сметки");
  connect(AccFileRead, &QAction::triggered, this, &TSDIAppForm::AccFileReadClick);
  IBAN1 = NewAction(this, "IBAN1", "Зареждане IBAN сметки");
  connect(IBAN1, &QAction::triggered, this, &TSDIAppForm::IBAN1Click);

  ImportItem = NewAction(this, "ImportItem", "Внос на суми от файл");
  SetHint(ImportItem, "Внос на суми|Сумите за превод от файл на таблица (CSV)");
  connect(ImportItem, &QAction::triggered, this, &TSDIAppForm::ImportItemClick);
  ExportItem = NewAction(this, "ExportItem", "Износ в CSV");
  SetHint(ExportItem, "Износ в CSV|Записва отворения списък във файл за таблица (CSV)");
  connect(ExportItem, &QAction::triggered, this, &TSDIAppForm::ExportItemClick);

  EuroItem = NewAction(this, "EuroItem", "Превръщане в евро");
  SetHint(EuroItem, "Превръщане в евро|Превръща сумите в данните от лева в евро");
  connect(EuroItem, &QAction::triggered, this, &TSDIAppForm::EuroItemClick);

  N1 = new QAction(this);
  N1->setObjectName(Qs("N1"));
  N1->setSeparator(true);

  FileExitItem = NewAction(this, "FileExitItem", "Изход");
  SetHint(FileExitItem, "Изход | Изход от програмата");
  connect(FileExitItem, &QAction::triggered, this, &TSDIAppForm::FileExit1Execute);

  File1->addActions({FileOpenItem, FileSaveItem, firmData, FileSaveAsItem, SepaItem, FileRead, AccFileRead, IBAN1,
                     ImportItem, ExportItem, EuroItem, N1, FileExitItem});

  Help1 = menu->addMenu(Qs("Помощ"));
  Help1->setObjectName(Qs("Help1"));
  Help1->menuAction()->setObjectName(Qs("Help1"));
  SetHint(Help1->menuAction(), "Помощ");
  HelpAboutItem = NewAction(this, "HelpAboutItem", "&About...");
  SetHint(HelpAboutItem, "За програмата|Показва информация за програмата, номера на версията и правата");
  connect(HelpAboutItem, &QAction::triggered, this, &TSDIAppForm::HelpAbout1Execute);
  Help1->addAction(HelpAboutItem);
}

void TSDIAppForm::CreateToolBar() {
  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName(Qs("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
  ToolBar1->setIconSize(QSize(24, 24));
  addToolBar(Qt::TopToolBarArea, ToolBar1);

  ToolButton1 = NewAction(this, "ToolButton1", "Персонал");
  ToolButton1->setIcon(PersonnelIcon());
  SetHint(ToolButton1, "Персонал");
  connect(ToolButton1, &QAction::triggered, this, &TSDIAppForm::FileOpen1Execute);

  // This button has no hint; an action without text shows no tooltip.
  ToolButton3 = NewAction(this, "ToolButton3", "");
  ToolButton3->setIcon(PaymentIcon());
  connect(ToolButton3, &QAction::triggered, this, &TSDIAppForm::ToolButton3Click);

  ToolButton2 = NewAction(this, "ToolButton2", "Запис във файл");
  ToolButton2->setIcon(SaveAsIcon());
  SetHint(ToolButton2, kSaveAsHint);
  connect(ToolButton2, &QAction::triggered, this, &TSDIAppForm::FileSave1Execute);

  ToolBar1->addActions({ToolButton1, ToolButton3, ToolButton2});
  // The buttons carry the names too, and a name for screen readers.
  const std::pair<QAction*, const char*> names[] = {
      {ToolButton1, "Персонал"}, {ToolButton3, "Масово плащане"}, {ToolButton2, "Запис във файл"}};
  for (const auto& [action, accessible] : names) {
    QWidget* button = ToolBar1->widgetForAction(action);
    button->setObjectName(action->objectName());
    button->setAccessibleName(Qs(accessible));
  }
}

void TSDIAppForm::FormCreate() { UpdateCommands(); }

void TSDIAppForm::UpdateCommands() {
  const CommandStates states = CommandStatesFor(childKind_, services_.folder.currency);
  ToolButton1->setEnabled(states.openPersonnel);
  FileOpenItem->setEnabled(states.openPersonnel);
  ToolButton3->setEnabled(states.openPayment);
  FileSaveItem->setEnabled(states.openPayment);
  ToolButton2->setEnabled(states.writeFile);
  FileSaveAsItem->setEnabled(states.writeFile);
  FileRead->setEnabled(states.readBankFiles);
  AccFileRead->setEnabled(states.readBankFiles);
  IBAN1->setEnabled(states.readBankFiles);
  SepaItem->setEnabled(states.writeSepa);
  ImportItem->setEnabled(states.importAmounts);
  ExportItem->setEnabled(states.exportCsv);
  EuroItem->setEnabled(states.convertToEuro);
}

void TSDIAppForm::OpenChild(QWidget* child, ChildKind kind) {
  if (child == nullptr) return;
  if (child_ || kind == ChildKind::None) {
    // The frame holds one list at a time; the open commands never get here.
    child->deleteLater();
    return;
  }
  child->setAttribute(Qt::WA_DeleteOnClose);
  const bool sized = child->testAttribute(Qt::WA_Resized);
  const QSize size = child->size();
  QMdiSubWindow* window = ClientArea->addSubWindow(child);
  window->setAttribute(Qt::WA_DeleteOnClose);
  // Tab goes round the child's own controls; its frame is no stop of its own.
  window->setFocusPolicy(Qt::ClickFocus);
  child_ = child;
  childWindow_ = window;
  childKind_ = kind;
  childWatch_ = connect(child, &QObject::destroyed, this, &TSDIAppForm::ChildClosed);
  window->show();
  // A child that chose its size keeps it; the frame adds its border around it.
  if (sized) {
    QMargins frame = window->contentsMargins();
    if (window->layout()) frame += window->layout()->contentsMargins();
    window->resize(size.grownBy(frame));
  }
  UpdateCommands();
}

void TSDIAppForm::ChildClosed() {
  disconnect(childWatch_);
  // A child that closed itself would leave its empty frame behind.
  if (childWindow_) childWindow_->deleteLater();
  childWindow_ = nullptr;
  child_ = nullptr;
  childKind_ = ChildKind::None;
  UpdateCommands();
}

void TSDIAppForm::FileOpen1Execute() {
  if (!child_) OpenList(new TFStaffForm(services_), ChildKind::Personnel);
}

void TSDIAppForm::ToolButton3Click() {
  if (!child_) OpenList(new TFMoneyForm(services_), ChildKind::Payment);
}

void TSDIAppForm::FileSave1Execute() {
  if (ListWindow* list = List()) list->WriteFile();
}

void TSDIAppForm::SepaItemClick() {
  if (ListWindow* list = List(); list && childKind_ == ChildKind::Payment) list->WriteSepaFile();
}

void TSDIAppForm::ImportItemClick() {
  if (ListWindow* list = List(); list && childKind_ == ChildKind::Payment) list->ImportAmounts();
}

void TSDIAppForm::ExportItemClick() {
  if (ListWindow* list = List()) list->ExportCsv();
}

void TSDIAppForm::FileReadClick() { ReadBankFileCommand(BankFile::Data); }
void TSDIAppForm::AccFileReadClick() { ReadBankFileCommand(BankFile::Accounts); }
void TSDIAppForm::IBAN1Click() { ReadBankFileCommand(BankFile::Ibans); }

void TSDIAppForm::ReadBankFileCommand(BankFile kind) {
  if (ListWindow* list = List()) list->ReadBankFile(kind);
}

// A fresh dialog for each use, gone when it closes whatever its result.
void TSDIAppForm::firmDataClick() {
  TFfirmdata dialog(services_, this);
  dialog.exec();
}

// The lists hold the amounts while they are open: converted only with none open.
void TSDIAppForm::EuroItemClick() {
  if (child_) return;
  OfferEuroConversion(services_, this);
  UpdateCommands();
}

void TSDIAppForm::HelpAbout1Execute() {
  if (AboutBox == nullptr) AboutBox = new TAboutBox(this);
  AboutBox->exec();
}

void TSDIAppForm::FileExit1Execute() { close(); }

bool TSDIAppForm::FormCloseQuery() {
  if (!child_) return true;
  services_.messages.Show(Cp("Затворете всички активни прозорци !!!"));
  return false;
}

void TSDIAppForm::closeEvent(QCloseEvent* event) {
  if (FormCloseQuery()) {
    event->accept();
  } else {
    event->ignore();
  }
}

// A list that cannot read its data reports it as it is created, and no
// window opens: closing it would write a partial list over the stored one.
void TSDIAppForm::OpenList(ListWindow* list, ChildKind kind) {
  if (!list->Loaded()) {
    delete list;
    return;
  }
  OpenChild(list, kind);
}

ListWindow* TSDIAppForm::List() const { return qobject_cast<ListWindow*>(child_.data()); }

}  // namespace zel::ui
