#include "personnel/ui/StaffListModel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "common/ui/QtText.h"

namespace zel::ui {

int StaffListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.size());
}

QVariant StaffListModel::data(const QModelIndex& index, int role) const {
  const EmployeeRecord* record = RecordAt(index.row());
  if (record == nullptr || !index.isValid()) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return ToQt(record->FullName.str());
  return {};
}

const EmployeeRecord* StaffListModel::RecordAt(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= list_.size()) return nullptr;
  return &list_.at(static_cast<std::size_t>(row));
}

void StaffListModel::Appended(std::size_t previousCount) {
  if (list_.size() <= previousCount) return;
  beginInsertRows({}, static_cast<int>(previousCount), static_cast<int>(list_.size()) - 1);
  endInsertRows();
}

void StaffListModel::Changed(int row) {
  const QModelIndex changed = index(row);
  emit dataChanged(changed, changed);
}

void StaffListModel::Removed(int row) {
  // The record is already gone; the view only needs to drop the row.
  beginRemoveRows({}, row, row);
  endRemoveRows();
}

void StaffListModel::Reset() {
  beginResetModel();
  endResetModel();
}

void StaffLineDelegate::SetFont(const QFont& font) {
  const QFontMetrics metrics(font);
  columns_ =
      MeasureStaffColumns(metrics.horizontalAdvance(QLatin1Char('W')), metrics.horizontalAdvance(QLatin1Char('9')));
  marker_ = ToQt(LeftMarkerText());
  markerWidth_ = metrics.horizontalAdvance(marker_);
}

QSize StaffLineDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  // As wide as what the line draws before the marker; every line is as high.
  return {1 + columns_.nameColWidth + columns_.egnColWidth + columns_.ibanColWidth, kLineHeight};
}

void StaffLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const EmployeeRecord* record = model_.RecordAt(index.row());
  if (record == nullptr) return;
  const QStyle::State state = option.state;
  QPalette::ColorGroup group = (state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
  if (!(state & QStyle::State_Enabled)) group = QPalette::Disabled;
  const bool selected = (state & QStyle::State_Selected) != 0;

  painter->save();
  const QRect& r = option.rect;
  painter->fillRect(r, option.palette.brush(group, selected ? QPalette::Highlight : QPalette::Base));
  painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  painter->setFont(option.font);
  const int ascent = QFontMetrics(option.font).ascent();

  const StaffLine line =
      LayoutStaffLine(*record, columns_, r.left(), r.top(), r.left() + r.width(), showOldAccounts_, markerWidth_);
  painter->drawText(line.nameX, line.y + ascent, ToQt(line.name));
  painter->drawText(line.egnX, line.y + ascent, ToQt(line.egn));
  painter->drawText(line.thirdX, line.y + ascent, ToQt(line.third));
  if (line.showMarker) painter->drawText(line.markerX, line.y + ascent, marker_);

  if (state & QStyle::State_HasFocus) {
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
