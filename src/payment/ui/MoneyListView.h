#pragma once
// The lines of the mass payment list as a list view sees them: a model over
// the payment lines and a delegate that paints each line in its columns.
// Painting reads the line it draws and nothing else, so a list of 100,000
// lines costs no more than the lines on the screen.

#include <QAbstractListModel>
#include <QStyledItemDelegate>

#include "payment/money_list.h"
#include "payment/payment_list.h"

namespace zel::ui {

class MoneyListModel : public QAbstractListModel {
  Q_OBJECT
public:
  MoneyListModel(const PaymentList& list, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  // The display text of a line is the employee's name (read by screen readers).
  QVariant data(const QModelIndex& index, int role) const override;

  // The line behind a row; null for a row that is not there.
  const PaymentLine* LineAt(int row) const;

  // After the lines were built or released.
  void Reload();
  // After one line or every line changed.
  void LineChanged(int row);
  void AllChanged();

private:
  const PaymentList& list_;
};

class MoneyListDelegate : public QStyledItemDelegate {
  Q_OBJECT
public:
  static constexpr int kLineHeight = 15;

  // The columns come from the list font: "W", "9" and the currency's label
  // (" лв.") measured in it.
  MoneyListDelegate(const MoneyListModel& model, const QFont& listFont, Currency currency, QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  void SetShowOldAccounts(bool show) { showOldAccounts_ = show; }
  bool ShowOldAccounts() const { return showOldAccounts_; }
  const MoneyListColumns& columns() const { return columns_; }

private:
  const MoneyListModel& model_;
  Currency currency_;
  MoneyListColumns columns_;
  bool showOldAccounts_ = false;
};

}  // namespace zel::ui
