#include "payment/ui/TFMoneyForm.h"

#include <QCheckBox>
#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <QPushButton>

#include "common/csv_reader.h"
#include "common/file_io.h"
#include "common/ui/QtText.h"
#include "payment/amount_import.h"
#include "payment/payment_csv.h"
#include "payment/payment_file.h"
#include "payment/ui/TFImportColumns.h"
#include "payment/ui/TFImportPreview.h"
#include "payment/ui/TFSepaFile.h"
#include "payment/ui/TFmassout.h"
#include "payment/ui/TFormEditMoney.h"

namespace zel::ui {

TFMoneyForm::TFMoneyForm(Services& services) : ListWindow(services, "FMoneyForm", "Масово плащане", QSize(544, 370)) {
  AddButton("B_edit", "Редактиране", 8, 103, [this] { EditSelected(); });
  AddButton("Button2", "Основание", 115, 78, [this] { Button2Click(); });
  const QPushButton* print = AddButton("B_Print", "Печат", 197, 60, [this] { B_PrintClick(); });
  AddOldAccountsBox(269);
  AddCloseButton(*print);
  // "Край" keeps to the right of the check box: narrower the window may not be.
  setMinimumSize(CheckBox1->geometry().right() + 1 + 4 + B_Close->width() + 10, 140);

  // FormCreate.
  const QFontMetrics metrics(font());
  columns_ =
      MakeMoneyListColumns(metrics.horizontalAdvance(QLatin1Char('W')), metrics.horizontalAdvance(QLatin1Char('9')),
                           metrics.horizontalAdvance(ToQt(RulesOf(services_.folder.currency).label)));
  list_.currency = services_.folder.currency;
  const Status loaded = LoadPaymentList(services_.files, list_);
  LinesReset();
  // No line is selected until the user selects one.
  SelectRow(-1);
  setWindowTitle(ToQt(PaymentListCaption(list_)));
  loaded_ = loaded.ok();
  if (!loaded_) services_.messages.ReportError(loaded.message());
}

std::string TFMoneyForm::LineName(int row) const {
  return list_.lines[static_cast<std::size_t>(row)].Employee.FullName.str();
}

void TFMoneyForm::DrawLine(QPainter& painter, const QRect& rect, int row) const {
  const PaymentLine& line = list_.lines[static_cast<std::size_t>(row)];
  const int left = rect.left();
  const int baseline = rect.top() + 1 + painter.fontMetrics().ascent();
  painter.drawText(left + columns_.name, baseline, ToQt(NameCellText(line)));
  painter.drawText(left + columns_.bankCode, baseline, ToQt(line.BankCode.str()));
  painter.drawText(left + columns_.account, baseline, ToQt(AccountCellText(line, ShowOldAccounts())));
  const QString amount = ToQt(AmountCellText(line, list_.currency));
  const int right = left + AmountRightEdge(columns_, rect.width());
  painter.drawText(right - painter.fontMetrics().horizontalAdvance(amount), baseline, amount);
}

void TFMoneyForm::EditSelected() {
  const int selected = SelectedIndex();
  std::optional<PaymentLine> working = LineForEdit(list_, selected);
  if (!working) return;
  TFormEditMoney dialog(services_.messages, list_.currency, this);
  if (dialog.EditPayment(Qs("Редактиране"), *working) != QDialog::Accepted) return;
  if (!ApplyEditedLine(list_, selected, *working)) return;
  LinesChanged(selected, selected);
  SelectRow(selected);
}

void TFMoneyForm::Button2Click() {
  if (list_.lines.empty()) return;
  const std::optional<QString> reason =
      services_.dialogs.InputText(this, Qs("Попълване на основание"), Qs("Основание"), QString());
  if (!reason) return;
  FillReason(list_, FromQt(*reason));
  LinesChanged(0, LineCount() - 1);
}

void TFMoneyForm::B_PrintClick() {
  const Status printed = PrintPaymentList(list_, services_.printer, ListPrintFont());
  if (!printed.ok()) services_.messages.ReportError(printed.message());
}

void TFMoneyForm::WriteFile() {
  TFmassout dialog(
      services_, payDay_.Settings, [this] { return PrintControlSheet(); }, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const FinalPaymentFileResult written = MakePaymentFile(services_.files, list_, payDay_);
  if (written.status.ok()) {
    services_.messages.Show(written.message);
  } else {
    services_.messages.ReportError(written.status.message());
  }
}

ControlSheetResult TFMoneyForm::PrintControlSheet() {
  return zel::PrintControlSheet(services_.files, list_, payDay_, services_.printer, services_.clock, ListPrintFont());
}

bool TFMoneyForm::FormClose() {
  if (loaded_ && list_.registerFound) {
    // A new folder says it is in euro before it holds any amount.
    Status saved = RecordBeforeSave(services_.files, services_.folder, services_.clock.Today());
    if (saved.ok()) {
      saved = SavePaymentList(services_.files, list_,
                              [this](const std::string& warning) { services_.messages.Show(warning); });
    }
    if (!saved.ok()) {
      // The lines stay, and so does the window: what was typed is not lost.
      services_.messages.ReportError(saved.message());
      return false;
    }
  }
  FreePaymentLines(list_);
  LinesReset();
  return true;
}

void TFMoneyForm::WriteSepaFile() {
  // A SEPA transfer is in euro alone: a folder in leva converts first.
  if (services_.folder.currency == Currency::Leva) {
    services_.messages.Show(LevaRefusalMessage());
    return;
  }
  TFSepaFile dialog(services_, list_, ListPrintFont(), this);
  dialog.exec();
}

void TFMoneyForm::ImportAmounts() {
  const std::optional<QString> name = services_.dialogs.OpenFileName(this, SpreadsheetOffer());
  if (!name) return;
  const std::string path = FilePathBytes(*name);
  files::FileBytes bytes;
  if (const Status read = csv::ReadSpreadsheetFile(services_.files, path, bytes); !read.ok()) {
    services_.messages.Show(read.message());
    return;
  }
  csv::Table table(std::move(bytes));
  if (const auto refusal = TableRefusal(table, files::ShownPath(path))) {
    services_.messages.Show(*refusal);
    return;
  }
  std::optional<ImportColumns> columns = FindHeaderColumns(table);
  if (!columns) {
    TFImportColumns choice(services_.messages, table, GuessColumns(table), this);
    if (choice.exec() != QDialog::Accepted) return;
    columns = choice.Chosen();
  }
  const AmountImport import(std::move(table), *columns, list_);
  if (const auto refusal = ImportRefusal(import, files::ShownPath(path))) {
    services_.messages.Show(*refusal);
    return;
  }
  TFImportPreview preview(import, list_.currency, QDir::toNativeSeparators(*name), this);
  if (preview.exec() != QDialog::Accepted) return;
  // Saved with the list when it closes, as every change in it.
  if (import.Apply(list_, preview.EmptyUnnamed()) > 0) LinesChanged(0, LineCount() - 1);
}

void TFMoneyForm::ExportCsv() {
  ExportSpreadsheet("Масово плащане.csv", [this] { return PaymentListCsv(list_); });
}

}  // namespace zel::ui
