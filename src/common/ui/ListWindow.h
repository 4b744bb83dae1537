#pragma once
// The frame's child windows, the personnel list and the mass payment list:
// one list of lines above a bar of buttons in Times New Roman of 10 pixels,
// its selection, the line opened by Enter or a double click, "Покажи стари
// сметки" and "Край" in the bar, the frame they get in the main window, and
// saving once as they close. Each window adds its buttons and its lines, and
// answers the commands the frame routes to it.

#include <QWidget>
#include <functional>
#include <string>

#include "common/print_surface.h"
#include "common/ui/Services.h"

class QAbstractItemView;
class QCheckBox;
class QFrame;
class QListView;
class QPainter;
class QPushButton;

namespace zel {
enum class BankFile;  // the bank's files the personnel list reads (personnel/bank_readers.h)
}  // namespace zel

namespace zel::ui {

// The selected line of `list`, -1 when none.
int SelectedRow(const QAbstractItemView& list);

class ListWindow : public QWidget {
  Q_OBJECT
public:
  // The frame's "Запис във файл": the request file of the personnel list,
  // the mass payment file of the mass payment list.
  virtual void WriteFile() = 0;
  // The frame's read commands: a bank file of that kind into the personnel
  // list; the mass payment list reads none.
  virtual void ReadBankFile(BankFile kind) = 0;
  // The frame's "SEPA файл (XML)" and "Внос на суми от файл": the mass
  // payment list's; the personnel list has neither.
  virtual void WriteSepaFile() {}
  virtual void ImportAmounts() {}
  // The frame's "Износ в CSV": the open list into a spreadsheet file.
  virtual void ExportCsv() = 0;

  // False when the window's data could not be read (it was reported): the
  // window must not be opened, since closing it would write what little was
  // read over the stored file.
  bool Loaded() const { return loaded_; }
  // The selected line, -1 when none.
  int SelectedIndex() const;

protected:
  ListWindow(Services& services, const char* name, const char* title, QSize size);

  // The bar's controls, added in their keyboard order after the list, each
  // 27 pixels high. A button at `left`, `width` wide; Enter in the list does
  // not press it.
  QPushButton* AddButton(const char* name, const char* caption, int left, int width, std::function<void()> click);
  // "Покажи стари сметки" at `left`: the lines show the old-style account.
  void AddOldAccountsBox(int left);
  // "Край" closes the window. It keeps 10 pixels from the bar's right end,
  // but never left of `neighbour`'s right edge plus 4.
  void AddCloseButton(const QWidget& neighbour);

  // The lines: how many, the name a screen reader says for one, how wide
  // one is drawn at least, and drawing one in `rect` with the pen and font
  // set for its state (selected or not).
  virtual int LineCount() const = 0;
  virtual std::string LineName(int row) const = 0;
  virtual int LineWidth() const = 0;
  virtual void DrawLine(QPainter& painter, const QRect& rect, int row) const = 0;
  // Enter or a double click on the list.
  virtual void EditSelected() = 0;
  // Saves the window's data as it closes; false keeps the window open with
  // its data. Once closed the window never saves again.
  virtual bool FormClose() = 0;

  // What the list shows changed: all lines, the lines from `first` to
  // `last`, lines appended after `previousCount`, or the line at `row` gone.
  void LinesReset();
  void LinesChanged(int first, int last);
  void LinesAppended(int previousCount);
  void LineRemoved(int row);
  // Makes `row` the current and only selected line and scrolls to it; a row
  // outside the list (-1) leaves no line current or selected.
  void SelectRow(int row);

  // "Износ в CSV": the save dialog proposes `suggestedName` in the data
  // folder; the chosen file is replaced whole by what `content` makes. A
  // failure is reported.
  void ExportSpreadsheet(const char* suggestedName, const std::function<std::string()>& content);

  bool ShowOldAccounts() const { return showOldAccounts_; }
  // The window's font, for the printout of the list.
  PrintFont ListPrintFont() const;

  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  Services& services_;
  bool loaded_ = false;
  QListView* ListBox1 = nullptr;
  QFrame* Panel1 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QPushButton* B_Close = nullptr;

private:
  class Lines;
  class LineDelegate;

  void Panel1Resize();

  Lines* lines_ = nullptr;
  QWidget* lastInTabOrder_ = nullptr;
  const QWidget* closeNeighbour_ = nullptr;
  bool showOldAccounts_ = false;
  bool closed_ = false;
};

}  // namespace zel::ui
