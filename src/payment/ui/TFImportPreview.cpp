#include "payment/ui/TFImportPreview.h"

#include <QAbstractTableModel>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "common/ui/CentreOnScreen.h"
#include "common/ui/DialogButtons.h"
#include "common/ui/QtText.h"

namespace zel::ui {

namespace {

bool IsTaken(ImportVerdict verdict) { return verdict == ImportVerdict::Change || verdict == ImportVerdict::NoChange; }

}  // namespace

// The lines of the import as the table shows them: each cell made when it
// comes into sight, so that a file of 100,000 lines opens at once.
class TFImportPreview::Lines : public QAbstractTableModel {
public:
  Lines(const AmountImport& import, QObject* parent) : QAbstractTableModel(parent), import_(import) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(import_.lines().size());
  }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(kPreviewColumnCount);
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const auto column = static_cast<PreviewColumn>(index.column());
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
      case Qt::DisplayRole:
      case Qt::AccessibleTextRole: return ToQt(import_.Cell(row, column));
      case Qt::TextAlignmentRole: {
        const bool number = column == PreviewColumn::FileLine || column == PreviewColumn::AmountNow ||
                            column == PreviewColumn::AmountFile;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
      }
      case Qt::ForegroundRole: {
        if (column != PreviewColumn::Verdict) return {};
        const ImportVerdict verdict = import_.lines()[row].verdict;
        if (verdict == ImportVerdict::NoChange) return {};
        // What changes in green, what is not taken in red.
        return QColor(IsTaken(verdict) ? QColor(0, 110, 0) : QColor(170, 0, 0));
      }
      default: return {};
    }
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return ToQt(PreviewColumnTitle(static_cast<PreviewColumn>(section)));
  }

private:
  const AmountImport& import_;
};

TFImportPreview::TFImportPreview(const AmountImport& import, Currency currency, const QString& file, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      import_(import),
      currency_(currency) {
  setObjectName(Qs("FImportPreview"));
  setWindowTitle(Qs("Внос на суми от файл"));
  UseDialogFont(*this);
  const QFontMetrics metrics(font());
  const QString label = ToQt(RulesOf(currency).label);

  auto* fileLabel = new QLabel(Qs("Файл: ") + file, this);
  fileLabel->setObjectName(Qs("FileName"));
  fileLabel->setTextFormat(Qt::PlainText);

  Grid = new QTableView(this);
  Grid->setObjectName(Qs("Grid"));
  Grid->setModel(new Lines(import, this));
  Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grid->setSelectionMode(QAbstractItemView::SingleSelection);
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setTabKeyNavigation(false);
  Grid->setWordWrap(false);
  Grid->verticalHeader()->hide();
  // Lines of one height, columns of a set width: nothing measures every line.
  Grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Grid->verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
  const auto width = [&metrics](const QString& sample) { return metrics.horizontalAdvance(sample) + 16; };
  int verdictWidth = 0;
  for (std::size_t v = 0; v < kImportVerdictCount; ++v)
    verdictWidth = std::max(verdictWidth, width(ToQt(VerdictText(static_cast<ImportVerdict>(v)))));
  const int widths[] = {width(Qs("000000")),       width(Qs("0000000000")),    width(Qs("Мария Георгиева Димитрова")),
                        width(Qs("000000000.00")), width(Qs("Сума от файла")), verdictWidth};
  for (int c = 0; c < static_cast<int>(std::size(widths)); ++c) Grid->setColumnWidth(c, widths[c]);
  Grid->horizontalHeader()->setStretchLastSection(true);
  auto* gridLabel = new QLabel(Qs("&Редове на файла:"), this);
  gridLabel->setBuddy(Grid);

  auto* summary = new QLabel(ToQt(import.VerdictSummary()), this);
  summary->setObjectName(Qs("Summary"));
  summary->setWordWrap(true);
  Changes = new QLabel(this);
  Changes->setObjectName(Qs("Changes"));
  auto* totalNow = new QLabel(ToQt(import.totalNow()) + label, this);
  totalNow->setObjectName(Qs("TotalNow"));
  TotalAfter = new QLabel(this);
  TotalAfter->setObjectName(Qs("TotalAfter"));
  auto* figures = new QGridLayout;
  figures->addWidget(new QLabel(Qs("Промени в списъка:"), this), 0, 0);
  figures->addWidget(Changes, 0, 1);
  figures->addWidget(new QLabel(Qs("Обща сума на списъка сега:"), this), 1, 0);
  figures->addWidget(totalNow, 1, 1);
  figures->addWidget(new QLabel(Qs("Обща сума след внасянето:"), this), 2, 0);
  figures->addWidget(TotalAfter, 2, 1);
  figures->setColumnStretch(2, 1);

  auto* unnamed =
      new QGroupBox(Qs("Служители от списъка, които не са във файла: ") + QString::number(import.unnamed()), this);
  unnamed->setObjectName(Qs("Unnamed"));
  KeepUnnamed = new QRadioButton(Qs("&Запазват сумите си"), unnamed);
  KeepUnnamed->setObjectName(Qs("KeepUnnamed"));
  KeepUnnamed->setChecked(true);
  EmptyUnnamedButton = new QRadioButton(Qs("&Остават без сума"), unnamed);
  EmptyUnnamedButton->setObjectName(Qs("EmptyUnnamed"));
  auto* choice = new QHBoxLayout(unnamed);
  choice->addWidget(KeepUnnamed);
  choice->addWidget(EmptyUnnamedButton);
  choice->addStretch(1);
  unnamed->setEnabled(import.unnamed() > 0);
  connect(EmptyUnnamedButton, &QRadioButton::toggled, this, [this] { ShowOutcome(); });

  B_Apply = NewDialogButton(*this, "B_Apply", "Приложи", [this] { accept(); });
  B_Apply->setDefault(true);
  B_Cancel = NewDialogButton(*this, "B_Cancel", "Отказ", [this] { reject(); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fileLabel);
  layout->addWidget(gridLabel);
  layout->addWidget(Grid, 1);
  layout->addWidget(summary);
  layout->addLayout(figures);
  layout->addWidget(unnamed);
  layout->addLayout(ButtonRow({B_Apply, B_Cancel}));
  SetTabOrder({Grid, KeepUnnamed, EmptyUnnamedButton, B_Apply, B_Cancel});
  Grid->setFocus();
  ShowOutcome();

  // As large as the lines want, within the screen of a small laptop.
  int wanted = 40;
  for (int c = 0; c < static_cast<int>(std::size(widths)); ++c) wanted += widths[c];
  wanted += width(Qs("ЕГН допълнен с нули отляво; име във файла: Иван Петров"));
  const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
  const QRect room = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1366, 728);
  resize(std::min(wanted, room.width() - 40), std::min(640, room.height() - 60));
}

bool TFImportPreview::EmptyUnnamed() const { return EmptyUnnamedButton->isChecked(); }

void TFImportPreview::ShowOutcome() {
  const bool empty = EmptyUnnamed();
  const std::size_t changes = import_.changes(empty);
  Changes->setText(QString::number(changes));
  TotalAfter->setText(ToQt(import_.totalAfter(empty)) + ToQt(RulesOf(currency_).label));
  // Nothing to apply: Enter then does not close as if it had.
  B_Apply->setEnabled(changes > 0);
}

void TFImportPreview::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(*this);
}

}  // namespace zel::ui
