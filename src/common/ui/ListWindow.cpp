#include "common/ui/ListWindow.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/QtText.h"

namespace zel::ui {

namespace {

class EnterKeyFilter : public QObject {
public:
  EnterKeyFilter(QObject* parent, std::function<void()> edit) : QObject(parent), edit_(std::move(edit)) {}

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        edit_();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

private:
  std::function<void()> edit_;
};

}  // namespace

QFont ListWindowFont() {
  QFont font(Qs("Times New Roman"));
  font.setPixelSize(10);
  return font;
}

PrintFont ListPrintFont(const QFont& font) { return PrintFont{FromQt(font.family()), font.pixelSize()}; }

void StackListOverBar(QWidget& window, QWidget& list, QWidget& bar) {
  bar.setFixedHeight(kButtonBarHeight);
  auto* layout = new QVBoxLayout(&window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(&list, 1);
  layout->addWidget(&bar);
}

QPushButton* NewBarButton(QWidget& bar, const char* name, const char* caption) {
  auto* button = new QPushButton(Qs(caption), &bar);
  button->setObjectName(Qs(name));
  button->setAutoDefault(false);
  return button;
}

QCheckBox* NewOldAccountsBox(QWidget& bar) {
  auto* box = new QCheckBox(Qs("Покажи стари сметки"), &bar);
  box->setObjectName(Qs("CheckBox1"));
  return box;
}

int SelectedRow(const QAbstractItemView& list) {
  const QModelIndex current = list.currentIndex();
  if (!current.isValid() || !list.selectionModel()->isSelected(current)) return -1;
  return current.row();
}

void SelectRow(QAbstractItemView& list, int row) {
  const QModelIndex line = list.model()->index(row, 0);
  if (!line.isValid()) {
    list.clearSelection();
    return;
  }
  list.setCurrentIndex(line);
  list.selectionModel()->select(line, QItemSelectionModel::ClearAndSelect);
  list.scrollTo(line);
}

void EditOnEnterOrDoubleClick(QAbstractItemView& list, std::function<void()> edit) {
  auto* filter = new EnterKeyFilter(&list, edit);
  list.installEventFilter(filter);
  QObject::connect(&list, &QAbstractItemView::doubleClicked, filter, [edit = std::move(edit)] { edit(); });
}

void TrimSystemMenu(QWidget& listWindow) {
  auto* window = qobject_cast<QMdiSubWindow*>(listWindow.parentWidget());
  if (window == nullptr) return;
  const Qt::WindowFlags flags = Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
  if (window->windowFlags() != flags) window->setWindowFlags(flags);
}

void CloseOnce(QCloseEvent& event, bool& closed, const std::function<bool()>& formClose) {
  if (!closed && !formClose()) {
    event.ignore();
    return;
  }
  closed = true;
  event.accept();
}

}  // namespace zel::ui
