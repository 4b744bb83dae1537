#pragma once
// The personnel list as Qt sees it: a model with one row per record of the
// register (no copy of the data) and a delegate that draws each line by the
// list's own layout rule.

#include <QAbstractListModel>
#include <QStyledItemDelegate>
#include <cstddef>

#include "personnel/register.h"
#include "personnel/staff_list.h"

namespace zel::ui {

class StaffListModel : public QAbstractListModel {
  Q_OBJECT
public:
  explicit StaffListModel(const Register& list, QObject* parent = nullptr) : QAbstractListModel(parent), list_(list) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  // The full name, for keyboard search and screen readers.
  QVariant data(const QModelIndex& index, int role) const override;

  const EmployeeRecord* RecordAt(int row) const;

  // Tell the view what changed in the register.
  void Appended(std::size_t previousCount);
  void Changed(int row);
  void Removed(int row);
  void Reset();
  void BeginReset() { beginResetModel(); }
  void EndReset() { endResetModel(); }

private:
  const Register& list_;
};

class StaffLineDelegate : public QStyledItemDelegate {
  Q_OBJECT
public:
  static constexpr int kLineHeight = 15;

  explicit StaffLineDelegate(const StaffListModel& model, QObject* parent = nullptr)
      : QStyledItemDelegate(parent), model_(model) {}

  // Taken once with the list's font.
  void SetFont(const QFont& font);
  void SetShowOldAccounts(bool show) { showOldAccounts_ = show; }
  bool showOldAccounts() const { return showOldAccounts_; }
  const StaffColumns& columns() const { return columns_; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
  const StaffListModel& model_;
  StaffColumns columns_;
  QString marker_;
  int markerWidth_ = 0;
  bool showOldAccounts_ = false;
};

}  // namespace zel::ui
