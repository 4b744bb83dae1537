#include "shell/ui/Startup.h"

#include <QPointer>
#include <QScreen>
#include <clocale>
#include <memory>

#include "common/data_files.h"
#include "common/file_io.h"
#include "common/running_mark.h"
#include "common/ui/Dialogs.h"
#include "common/ui/QtClock.h"
#include "common/ui/QtMessages.h"
#include "common/ui/QtPrinter.h"
#include "common/ui/QtText.h"
#include "common/ui/Services.h"
#include "company/ui/QtSettingsStore.h"
#include "shell/data_conversion.h"
#include "shell/data_folder_lock.h"
#include "shell/euro_conversion.h"
#include "shell/startup_rules.h"
#include "shell/ui/EuroCommand.h"
#include "shell/ui/TAboutBox.h"
#include "shell/ui/TSDIAppForm.h"
#include "shell/ui/ToolIcons.h"
#include "shell/ui/ZelApplication.h"

namespace zel::ui {

namespace {

// The print dialog belongs to the main window, which is created after the
// services it is handed: the dialog is made on first use, over that window.
class MainWindowPrinter : public Printer {
public:
  explicit MainWindowPrinter(Dialogs& dialogs) : dialogs_(dialogs) {}
  void SetWindow(QWidget* window) { window_ = window; }
  std::unique_ptr<PrintSurface> Begin() override {
    if (!printer_) printer_ = std::make_unique<QtPrinter>(dialogs_, window_);
    return printer_->Begin();
  }

private:
  Dialogs& dialogs_;
  QPointer<QWidget> window_;
  std::unique_ptr<QtPrinter> printer_;
};

// The data folder's lock, held as long as the main window lives.
class HeldLock : public QObject {
public:
  HeldLock(std::unique_ptr<FileLock> lock, QObject* window) : QObject(window), lock_(std::move(lock)) {}

private:
  std::unique_ptr<FileLock> lock_;
};

}  // namespace

std::unique_ptr<TSDIAppForm> StartUp(Services& services) {
  // Before the first message box, which then carries the program's icon too.
  QIcon icon;
  for (int size : {16, 32, 48, 64}) icon.addPixmap(ProgramPicture(size));
  QApplication::setWindowIcon(icon);
  // Before any file is touched: a second copy on the same data folder ends here.
  std::unique_ptr<FileLock> lock;
  if (!LockDataFolder(services.files, services.files.CurrentDirectory(), services.messages, lock)) return nullptr;
  auto mainWindow = std::make_unique<TSDIAppForm>(services);
  new HeldLock(std::move(lock), mainWindow.get());
  // The files of the older version, under their bare names in the current
  // directory, which becomes the data directory below.
  // They hold leva; a folder whose record says euro takes their amounts in euro.
  if (NotIbanData(services.files, {}, services.messages)) {
    const bool euro = ReadCurrencyRecord(services.files).state == CurrencyRecord::State::Euro;
    ConvertIBANData(services.files, {}, services.messages, euro ? Currency::Euro : Currency::Leva);
  }

  mainWindow->SetAboutBox(new TAboutBox(mainWindow.get()));

  const std::string directory = services.files.CurrentDirectory();
  if (IsFloppyDirectory(directory)) {
    services.messages.ShowCaptioned("Start Error",
                                    "You can not start this program from FDD. Please first copy it to HDD");
    return nullptr;
  }
  SetDataDir(files::WithSeparator(services.files, directory));

  // The currency of the folder's amounts; a conversion into euro cut off
  // last time is undone, and one in leva is offered the conversion each time.
  const FolderAtStart folder = OpenDataFolder(services.files);
  if (!folder.status.ok()) {
    // Neither all in leva nor all in euro: nothing may be paid from it.
    services.messages.ReportError(folder.status.message() + "\n\n" + EuroNotRestoredMessage());
    return nullptr;
  }
  services.folder = folder.folder;
  if (folder.restored) services.messages.Show(EuroRestoredMessage());
  if (!folder.recordProblem.empty()) services.messages.Show(folder.recordProblem);
  OfferEuroConversion(services, mainWindow.get());
  mainWindow->UpdateCommands();
  return mainWindow;
}

int RunProgram(int argc, char* argv[]) {
  // First, so that no installer replaces the files under a program that is starting.
  MarkProgramRunning();
  ZelApplication app(argc, argv);
  // Numbers are converted with a decimal point whatever the regional settings
  // (QApplication sets the C library's locale from the environment).
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(Qs("ZEL"));

  QtMessages messages;
  app.SetErrorReport(&messages);
  QtSettingsStore settings;
  QtDialogs dialogs(messages);
  MainWindowPrinter printer(dialogs);
  QtClock clock;
  DataFolder folder;
  Services services{messages, settings, printer, clock, dialogs, SystemFileSystem(), folder};

  const std::unique_ptr<TSDIAppForm> mainWindow = StartUp(services);
  if (!mainWindow) return 0;
  printer.SetWindow(mainWindow.get());

  // Covering the screen also where no window manager maximizes windows.
  if (const QScreen* screen = mainWindow->screen()) mainWindow->setGeometry(screen->availableGeometry());
  mainWindow->showMaximized();
  return app.exec();
}

}  // namespace zel::ui
