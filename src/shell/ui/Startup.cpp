#include "shell/ui/Startup.h"

#include <QPointer>
#include <QScreen>
#include <clocale>
#include <memory>

#include "common/file_io.h"
#include "common/text.h"
#include "common/ui/Dialogs.h"
#include "common/ui/QtClock.h"
#include "common/ui/QtMessages.h"
#include "common/ui/QtPrinter.h"
#include "common/ui/QtText.h"
#include "common/ui/Services.h"
#include "company/ui/QtSettingsStore.h"
#include "personnel/ui/TFChoice.h"
#include "shell/startup_rules.h"
#include "shell/ui/TAboutBox.h"
#include "shell/ui/TSDIAppForm.h"
#include "shell/ui/ZelApplication.h"

namespace zel::ui {

namespace {

// The print dialog belongs to the main window, which is created after the
// services it is handed: the dialog is made on first use, over that window.
class MainWindowPrinter : public Printer {
public:
  void SetWindow(QWidget* window) { window_ = window; }
  std::unique_ptr<PrintSurface> Begin() override {
    if (!printer_) printer_ = std::make_unique<QtPrinter>(window_);
    return printer_->Begin();
  }

private:
  QPointer<QWidget> window_;
  std::unique_ptr<QtPrinter> printer_;
};

}  // namespace

int RunProgram(int argc, char* argv[]) {
  ZelApplication app(argc, argv);
  // Numbers are converted with a decimal point whatever the regional settings
  // (QApplication sets the C library's locale from the environment).
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(Qs("ZEL"));

  QtMessages messages;
  app.SetErrorReport(&messages);
  QtSettingsStore settings;
  MainWindowPrinter printer;
  QtClock clock;
  QtDialogs dialogs(messages);
  Services services{messages, settings, printer, clock, dialogs, SystemFileSystem()};

  // Creating the window converts the data files of the older version, found
  // against the current directory: DataDir is not set yet.
  TSDIAppForm mainWindow(services);
  printer.SetWindow(&mainWindow);

  mainWindow.SetAboutBox(new TAboutBox(&mainWindow));
  // Kept for the run, so that the last request type chosen stays selected.
  mainWindow.SetChoiceDialog(new TFChoice(&mainWindow));

  const std::string directory = services.files.CurrentDirectory();
  if (IsFloppyDirectory(directory)) {
    messages.ShowCaptioned("Start Error", "You can not start this program from FDD. Please first copy it to HDD");
    return 0;
  }
  SetDataDir(files::WithSeparator(services.files, directory));

  // Covering the screen also where no window manager maximizes windows.
  if (const QScreen* screen = mainWindow.screen()) mainWindow.setGeometry(screen->availableGeometry());
  mainWindow.showMaximized();
  return app.exec();
}

}  // namespace zel::ui
