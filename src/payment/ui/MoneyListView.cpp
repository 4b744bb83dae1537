#include "payment/ui/MoneyListView.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

#include "common/cp1251.h"
#include "common/ui/QtText.h"

namespace zel::ui {

MoneyListModel::MoneyListModel(const PaymentList& list, QObject* parent) : QAbstractListModel(parent), list_(list) {}

int MoneyListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.lines.size());
}

QVariant MoneyListModel::data(const QModelIndex& index, int role) const {
  const PaymentLine* line = LineAt(index.row());
  if (line == nullptr || !index.isValid()) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return ToQt(line->Employee.FullName.str());
  return {};
}

const PaymentLine* MoneyListModel::LineAt(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= list_.lines.size()) return nullptr;
  return &list_.lines[static_cast<std::size_t>(row)];
}

void MoneyListModel::Reload() {
  beginResetModel();
  endResetModel();
}

void MoneyListModel::LineChanged(int row) {
  const QModelIndex changed = index(row);
  if (changed.isValid()) emit dataChanged(changed, changed);
}

void MoneyListModel::AllChanged() {
  if (rowCount() > 0) emit dataChanged(index(0), index(rowCount() - 1));
}

MoneyListDelegate::MoneyListDelegate(const MoneyListModel& model, const QFont& listFont, Currency currency,
                                     QObject* parent)
    : QStyledItemDelegate(parent), model_(model), currency_(currency) {
  const QFontMetrics metrics(listFont);
  columns_ =
      MakeMoneyListColumns(metrics.horizontalAdvance(QLatin1Char('W')), metrics.horizontalAdvance(QLatin1Char('9')),
                           metrics.horizontalAdvance(ToQt(RulesOf(currency).label)));
}

QSize MoneyListDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  // As wide as the amounts at their leftmost place: a narrower list scrolls.
  return {columns_.amountMinRight + columns_.letterW, kLineHeight};
}

void MoneyListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const PaymentLine* line = model_.LineAt(index.row());
  if (line == nullptr) return;

  const bool selected = option.state.testFlag(QStyle::State_Selected);
  const QPalette::ColorGroup group = !option.state.testFlag(QStyle::State_Enabled) ? QPalette::Disabled
                                     : option.state.testFlag(QStyle::State_Active) ? QPalette::Active
                                                                                   : QPalette::Inactive;
  painter->save();
  // One pixel further down, so that no gap stays between selected lines.
  painter->fillRect(option.rect.adjusted(0, 0, 0, 1),
                    option.palette.brush(group, selected ? QPalette::Highlight : QPalette::Base));
  painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  painter->setFont(option.font);

  const QFontMetrics metrics(option.font);
  const int left = option.rect.left();
  const int baseline = option.rect.top() + 1 + metrics.ascent();
  painter->drawText(left + columns_.name, baseline, ToQt(NameCellText(*line)));
  painter->drawText(left + columns_.bankCode, baseline, ToQt(line->BankCode.str()));
  painter->drawText(left + columns_.account, baseline, ToQt(AccountCellText(*line, showOldAccounts_)));
  const QString amount = ToQt(AmountCellText(*line, currency_));
  const int right = left + AmountRightEdge(columns_, option.rect.width());
  painter->drawText(right - metrics.horizontalAdvance(amount), baseline, amount);

  if (option.state.testFlag(QStyle::State_HasFocus)) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.backgroundColor = option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
  }
  painter->restore();
}

}  // namespace zel::ui
