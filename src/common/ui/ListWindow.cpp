#include "common/ui/ListWindow.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListView>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

#include "common/data_files.h"
#include "common/file_io.h"
#include "common/ui/QtText.h"

namespace zel::ui {

namespace {

constexpr int kLineHeight = 15;
constexpr int kBarHeight = 37;

}  // namespace

// The lines as the list view sees them: no copy, the window's own data. The
// count is taken as the window says its lines changed, so that the view
// never asks the window while it is being made or taken down.
class ListWindow::Lines : public QAbstractListModel {
public:
  explicit Lines(ListWindow& window) : QAbstractListModel(&window), window_(window) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : count_; }
  // The name, for keyboard search and screen readers.
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= count_) return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    return ToQt(window_.LineName(index.row()));
  }

  void Reset() {
    beginResetModel();
    count_ = window_.LineCount();
    endResetModel();
  }
  void Changed(int first, int last) {
    if (first >= 0 && first <= last && last < count_) emit dataChanged(index(first), index(last));
  }
  void Appended(int previousCount) {
    const int count = window_.LineCount();
    if (count <= previousCount) return;
    beginInsertRows({}, previousCount, count - 1);
    count_ = count;
    endInsertRows();
  }
  void Removed(int row) {
    beginRemoveRows({}, row, row);
    --count_;
    endRemoveRows();
  }

private:
  const ListWindow& window_;
  int count_ = 0;
};

// Each line on the background and in the pen of its state, drawn by the
// window; a list of 100,000 lines costs no more than the lines on the screen.
class ListWindow::LineDelegate : public QStyledItemDelegate {
public:
  explicit LineDelegate(ListWindow& window) : QStyledItemDelegate(&window), window_(window) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (index.row() >= index.model()->rowCount()) return;
    const QStyle::State state = option.state;
    const QPalette::ColorGroup group = !(state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (state & QStyle::State_Active) ? QPalette::Active
                                                                        : QPalette::Inactive;
    const bool selected = (state & QStyle::State_Selected) != 0;
    const QPalette::ColorRole background = selected ? QPalette::Highlight : QPalette::Base;
    painter->save();
    // One pixel further down, so that no gap stays between selected lines.
    painter->fillRect(option.rect.adjusted(0, 0, 0, 1), option.palette.brush(group, background));
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    window_.DrawLine(*painter, option.rect, index.row());
    if (state & QStyle::State_HasFocus) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(option);
      focus.backgroundColor = option.palette.color(group, background);
      const QWidget* widget = option.widget;
      QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
      style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return {window_.LineWidth(), kLineHeight};
  }

private:
  const ListWindow& window_;
};

int SelectedRow(const QAbstractItemView& list) {
  const QModelIndex current = list.currentIndex();
  if (!current.isValid() || !list.selectionModel()->isSelected(current)) return -1;
  return current.row();
}

ListWindow::ListWindow(Services& services, const char* name, const char* title, QSize size) : services_(services) {
  setObjectName(Qs(name));
  setWindowTitle(Qs(title));
  QFont font(Qs("Times New Roman"));
  font.setPixelSize(10);
  setFont(font);
  resize(size);

  lines_ = new Lines(*this);
  ListBox1 = new QListView(this);
  ListBox1->setObjectName(Qs("ListBox1"));
  ListBox1->setModel(lines_);
  ListBox1->setItemDelegate(new LineDelegate(*this));
  // Every line is as high as the next, so a list of any size opens at once.
  ListBox1->setUniformItemSizes(true);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListBox1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  ListBox1->installEventFilter(this);
  connect(ListBox1, &QAbstractItemView::doubleClicked, this, [this] { EditSelected(); });

  Panel1 = new QFrame(this);
  Panel1->setObjectName(Qs("Panel1"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setFixedHeight(kBarHeight);
  Panel1->installEventFilter(this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ListBox1, 1);
  layout->addWidget(Panel1);

  // The keyboard starts in the list.
  setFocusProxy(ListBox1);
  ListBox1->setFocus();
  lastInTabOrder_ = ListBox1;
}

QPushButton* ListWindow::AddButton(const char* name, const char* caption, int left, int width,
                                   std::function<void()> click) {
  auto* button = new QPushButton(Qs(caption), Panel1);
  button->setObjectName(Qs(name));
  button->setAutoDefault(false);
  button->setGeometry(left, 6, width, 27);
  connect(button, &QPushButton::clicked, this, std::move(click));
  setTabOrder(lastInTabOrder_, button);
  lastInTabOrder_ = button;
  return button;
}

void ListWindow::AddOldAccountsBox(int left) {
  CheckBox1 = new QCheckBox(Qs("Покажи стари сметки"), Panel1);
  CheckBox1->setObjectName(Qs("CheckBox1"));
  CheckBox1->setGeometry(left, 10, 126, 17);
  connect(CheckBox1, &QCheckBox::toggled, this, [this](bool checked) {
    showOldAccounts_ = checked;
    ListBox1->viewport()->update();
  });
  setTabOrder(lastInTabOrder_, CheckBox1);
  lastInTabOrder_ = CheckBox1;
}

void ListWindow::AddCloseButton(const QWidget& neighbour) {
  closeNeighbour_ = &neighbour;
  B_Close = AddButton("B_Close", "Край", 0, 78, [this] { close(); });
  Panel1Resize();
}

void ListWindow::Panel1Resize() {
  if (B_Close == nullptr) return;
  const int right = Panel1->width() - B_Close->width() - 10;
  B_Close->move(std::max(right, closeNeighbour_->x() + closeNeighbour_->width() + 4), B_Close->y());
}

int ListWindow::SelectedIndex() const { return SelectedRow(*ListBox1); }

void ListWindow::SelectRow(int row) {
  const QModelIndex line = lines_->index(row, 0);
  if (!line.isValid()) {
    // No current line either: the first arrow key then selects the first
    // line, not the one after it.
    ListBox1->setCurrentIndex(QModelIndex());
    ListBox1->clearSelection();
    return;
  }
  ListBox1->setCurrentIndex(line);
  ListBox1->selectionModel()->select(line, QItemSelectionModel::ClearAndSelect);
  ListBox1->scrollTo(line);
}

void ListWindow::LinesReset() { lines_->Reset(); }
void ListWindow::LinesChanged(int first, int last) { lines_->Changed(first, last); }
void ListWindow::LinesAppended(int previousCount) { lines_->Appended(previousCount); }
void ListWindow::LineRemoved(int row) { lines_->Removed(row); }

void ListWindow::ExportSpreadsheet(const char* suggestedName, const std::function<std::string()>& content) {
  const QString suggested = QString::fromUtf8(DataDir().c_str()) + Qs(suggestedName);
  const std::optional<QString> name = services_.dialogs.SaveFileName(this, SpreadsheetOffer(suggested));
  if (!name) return;
  const Status written = files::ReplaceFile(services_.files, FilePathBytes(*name), content());
  if (!written.ok()) services_.messages.ReportError(written.message());
}

PrintFont ListWindow::ListPrintFont() const { return PrintFont{FromQt(font().family()), font().pixelSize()}; }

bool ListWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      EditSelected();
      return true;
    }
  } else if (watched == ListBox1 && event->type() == QEvent::Resize) {
    // What keeps to the right edge (the amounts, the marker of those who
    // left) moves with it.
    ListBox1->viewport()->update();
  } else if (watched == Panel1 && event->type() == QEvent::Resize) {
    Panel1Resize();
  }
  return QWidget::eventFilter(watched, event);
}

void ListWindow::changeEvent(QEvent* event) {
  // In the main window the list has a title, a maximise and a close button,
  // and no minimise button (its menu then offers no minimise either).
  auto* window = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (event->type() == QEvent::ParentChange && window != nullptr) {
    const Qt::WindowFlags flags = Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                  Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
    if (window->windowFlags() != flags) window->setWindowFlags(flags);
  }
  QWidget::changeEvent(event);
}

void ListWindow::closeEvent(QCloseEvent* event) {
  if (!closed_ && !FormClose()) {
    event->ignore();
    return;
  }
  closed_ = true;
  event->accept();
}

}  // namespace zel::ui
