#pragma once
// The file, print and input dialogs the windows use, behind one small facade
// so that a test answers them in advance instead of blocking on a dialog.

#include <QString>
#include <optional>
#include <string>

class QPrinter;
class QWidget;

namespace zel {
class Messages;
}

namespace zel::ui {

// What a file dialog offers beyond the plain one: the patterns it lists
// ("CSV (*.csv *.txt)"; empty for all files) and a file it proposes (a full
// path; empty for none).
struct FileOffer {
  QString filter;
  QString suggested;
};

// The files spreadsheets save for other programs, "*.csv" and "*.txt";
// `suggested` as in FileOffer.
FileOffer SpreadsheetOffer(const QString& suggested = {});

class Dialogs {
public:
  virtual ~Dialogs() = default;

  // The save dialog: the offer's filter, or "All Files (*)" (the pattern
  // "*.*" would hide the names without a dot), asks before overwriting an
  // existing file, the folder must exist. The full file name, or nothing when
  // the user cancels.
  virtual std::optional<QString> SaveFileName(QWidget* parent, const FileOffer& offer = {}) = 0;
  // The open dialog, with the offer's filter or none, for an existing file.
  // Leaves the process's current directory as it was.
  virtual std::optional<QString> OpenFileName(QWidget* parent, const FileOffer& offer = {}) = 0;
  // The print dialog for `printer`, which it sets up as the user chooses;
  // false when the user cancels.
  virtual bool ChoosePrinter(QPrinter& printer, QWidget* parent) = 0;
  // A one-line input box; nothing when the user cancels.
  virtual std::optional<QString> InputText(QWidget* parent, const QString& caption, const QString& prompt,
                                           const QString& initial) = 0;
};

// The dialogs of Qt. A save name in a folder that does not exist is refused
// with a message and the dialog opens again.
class QtDialogs : public Dialogs {
public:
  explicit QtDialogs(Messages& messages) : messages_(messages) {}

  std::optional<QString> SaveFileName(QWidget* parent, const FileOffer& offer = {}) override;
  std::optional<QString> OpenFileName(QWidget* parent, const FileOffer& offer = {}) override;
  bool ChoosePrinter(QPrinter& printer, QWidget* parent) override;
  std::optional<QString> InputText(QWidget* parent, const QString& caption, const QString& prompt,
                                   const QString& initial) override;

private:
  Messages& messages_;
};

// A file name from a dialog as the file routines take it: UTF-8 with the
// system's separators (not a code page 1251 text).
std::string FilePathBytes(const QString& fileName);

}  // namespace zel::ui
