#include "common/ui/Dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QPrintDialog>

#include "common/messages.h"
#include "common/ui/QtText.h"

namespace zel::ui {

namespace {

std::optional<QString> ChosenFile(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return QFileInfo(files.first()).absoluteFilePath();
}

}  // namespace

FileOffer SpreadsheetOffer(const QString& suggested) {
  return FileOffer{QString::fromUtf8("Таблица CSV (*.csv *.txt)"), suggested};
}

std::optional<QString> QtDialogs::SaveFileName(QWidget* parent, const FileOffer& offer) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // "*.*" would hide the names without a dot here, so the pattern is "*".
  dialog.setNameFilter(offer.filter.isEmpty() ? Qs("All Files (*)") : offer.filter);
  if (!offer.suggested.isEmpty()) dialog.selectFile(offer.suggested);
  for (;;) {
    const std::optional<QString> name = ChosenFile(dialog);
    if (!name) return std::nullopt;
    const QFileInfo info(*name);
    if (info.absoluteDir().exists()) return name;
    // The folder must exist: say so and let the user choose again.
    messages_.Show(FromQt(QDir::toNativeSeparators(info.absolutePath())) + "\n" +
                   "Path does not exist. Check the path and try again.");
    dialog.selectFile(info.fileName());
  }
}

std::optional<QString> QtDialogs::OpenFileName(QWidget* parent, const FileOffer& offer) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (!offer.filter.isEmpty()) dialog.setNameFilter(offer.filter);
  if (!offer.suggested.isEmpty()) dialog.selectFile(offer.suggested);
  return ChosenFile(dialog);
}

bool QtDialogs::ChoosePrinter(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  // The printouts always print every page; a range would be ignored.
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtDialogs::InputText(QWidget* parent, const QString& caption, const QString& prompt,
                                            const QString& initial) {
  bool ok = false;
  const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return text;
}

// UTF-8 on every system: the bytes of the name on Linux (Qt 6 takes file names
// there as UTF-8 whatever the locale), and what the Windows file routines
// turn into wide characters; with the system's own separators, as the full
// paths in messages show them.
std::string FilePathBytes(const QString& fileName) { return QDir::toNativeSeparators(fileName).toUtf8().toStdString(); }

}  // namespace zel::ui
