#pragma once
// The dialog facade answered in advance: each call takes the next answer of
// its queue; an empty queue answers as a cancelled dialog.

#include <QPrinter>
#include <deque>
#include <optional>
#include <vector>

#include "common/ui/Dialogs.h"

namespace zel::test {

class ScriptedDialogs : public ui::Dialogs {
public:
  struct Input {
    QString caption;
    QString prompt;
    QString initial;
  };

  std::optional<QString> SaveFileName(QWidget*, const ui::FileOffer& offer = {}) override {
    ++saveCalls;
    lastOffer = offer;
    return Next(saveNames);
  }
  std::optional<QString> OpenFileName(QWidget*, const ui::FileOffer& offer = {}) override {
    ++openCalls;
    lastOffer = offer;
    return Next(openNames);
  }
  // Accepted with output to the next PDF file of `printFiles`, or cancelled.
  bool ChoosePrinter(QPrinter& printer, QWidget*) override {
    ++printCalls;
    const std::optional<QString> pdf = Next(printFiles);
    if (!pdf) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*pdf);
    return true;
  }
  std::optional<QString> InputText(QWidget*, const QString& caption, const QString& prompt,
                                   const QString& initial) override {
    inputCalls.push_back({caption, prompt, initial});
    return Next(inputs);
  }

  std::deque<std::optional<QString>> saveNames;
  std::deque<std::optional<QString>> openNames;
  std::deque<std::optional<QString>> printFiles;
  std::deque<std::optional<QString>> inputs;

  ui::FileOffer lastOffer;  // of the last file dialog asked for
  int saveCalls = 0;
  int openCalls = 0;
  int printCalls = 0;
  std::vector<Input> inputCalls;

private:
  static std::optional<QString> Next(std::deque<std::optional<QString>>& queue) {
    if (queue.empty()) return std::nullopt;
    const bool given = queue.front().has_value();
    const QString answer = given ? *queue.front() : QString();
    queue.pop_front();
    if (!given) return std::nullopt;
    return answer;
  }
};

}  // namespace zel::test
