#include "payment/ui/TFImportColumns.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/cp1251.h"
#include "common/text.h"
#include "common/ui/CentreOnScreen.h"
#include "common/ui/DialogButtons.h"
#include "common/ui/QtText.h"

namespace zel::ui {

namespace {

// The lines shown, and the columns offered: a table of amounts has a few.
constexpr std::size_t kShownRows = 12;
constexpr std::size_t kShownColumns = 60;
constexpr int kSampleChars = 24;

QComboBox* NewChoice(QWidget* parent, const char* name, const QStringList& items, int chosen) {
  auto* box = new QComboBox(parent);
  box->setObjectName(Qs(name));
  box->addItems(items);
  box->setCurrentIndex(chosen);
  return box;
}

QLabel* NewLabel(QWidget* parent, const char* caption, QWidget* buddy) {
  auto* label = new QLabel(Qs(caption), parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

TFImportColumns::TFImportColumns(Messages& messages, const csv::Table& table, const ImportColumns& guess,
                                 QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), messages_(messages) {
  setObjectName(Qs("FImportColumns"));
  setWindowTitle(Qs("Внос на суми – колони"));
  UseDialogFont(*this);

  const std::size_t rows = std::min(table.rows(), kShownRows);
  std::size_t columns = 0;
  for (std::size_t r = 0; r < rows; ++r) columns = std::max(columns, table.columns(r));
  columns = std::min(columns, kShownColumns);

  Grid = new QTableWidget(static_cast<int>(rows), static_cast<int>(columns), this);
  Grid->setObjectName(Qs("Grid"));
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setTabKeyNavigation(false);
  QStringList titles, choices;
  for (std::size_t c = 0; c < columns; ++c) {
    const QString title = Qs("Колона ") + QString::number(c + 1);
    titles << title;
    // The column with its first value, as the user knows it from the spreadsheet.
    std::string sample;
    for (std::size_t r = 0; r < rows && sample.empty(); ++r) sample = std::string(Trim(table.cell(r, c)));
    choices << (sample.empty() ? title : title + Qs(" – ") + ToQt(sample).left(kSampleChars));
    for (std::size_t r = 0; r < rows; ++r) {
      Grid->setItem(static_cast<int>(r), static_cast<int>(c),
                    new QTableWidgetItem(ToQt(std::string(table.cell(r, c)))));
    }
  }
  Grid->setHorizontalHeaderLabels(titles);
  Grid->resizeColumnsToContents();
  for (int c = 0; c < Grid->columnCount(); ++c) Grid->setColumnWidth(c, std::min(Grid->columnWidth(c), 220));

  const auto at = [&](int column) { return std::clamp(column, 0, std::max(0, static_cast<int>(columns) - 1)); };
  EgnColumn = NewChoice(this, "EgnColumn", choices, at(guess.egn));
  AmountColumn = NewChoice(this, "AmountColumn", choices, at(guess.amount));
  NameColumn = NewChoice(this, "NameColumn", QStringList{Qs("(няма)")} + choices,
                         guess.name >= 0 && guess.name < static_cast<int>(columns) ? guess.name + 1 : 0);
  HeaderRow = new QCheckBox(Qs("Първият ред е &заглавие"), this);
  HeaderRow->setObjectName(Qs("HeaderRow"));
  HeaderRow->setChecked(guess.firstRow > 0);

  B_Ok = NewDialogButton(*this, "B_Ok", "Потвърждаване", [this] { accept(); });
  B_Ok->setDefault(true);
  B_Cancel = NewDialogButton(*this, "B_Cancel", "Отказ", [this] { reject(); });

  auto* intro = new QLabel(Qs("Във файла няма заглавен ред, който да назовава колоните с ЕГН и сума. "
                              "Посочете ги по първите редове на файла:"),
                           this);
  intro->setWordWrap(true);
  auto* choicesForm = new QFormLayout;
  choicesForm->addRow(NewLabel(this, "Колона с &ЕГН:", EgnColumn), EgnColumn);
  choicesForm->addRow(NewLabel(this, "Колона със &сумата:", AmountColumn), AmountColumn);
  choicesForm->addRow(NewLabel(this, "Колона с &името:", NameColumn), NameColumn);
  choicesForm->addRow(QString(), HeaderRow);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addWidget(NewLabel(this, "Първите &редове:", Grid));
  layout->addWidget(Grid, 1);
  layout->addLayout(choicesForm);
  layout->addLayout(ButtonRow({B_Ok, B_Cancel}));
  SetTabOrder({EgnColumn, AmountColumn, NameColumn, HeaderRow, B_Ok, B_Cancel, Grid});
  EgnColumn->setFocus();
  resize(760, 480);
}

ImportColumns TFImportColumns::Chosen() const {
  ImportColumns c;
  c.egn = EgnColumn->currentIndex();
  c.amount = AmountColumn->currentIndex();
  c.name = NameColumn->currentIndex() - 1;
  c.firstRow = HeaderRow->isChecked() ? 1 : 0;
  return c;
}

void TFImportColumns::accept() {
  if (EgnColumn->currentIndex() < 0 || EgnColumn->currentIndex() == AmountColumn->currentIndex()) {
    messages_.Show(Cp("Колоната с ЕГН и колоната със сумата трябва да са различни."));
    AmountColumn->setFocus();
    return;
  }
  QDialog::accept();
}

void TFImportColumns::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(*this);
}

}  // namespace zel::ui
