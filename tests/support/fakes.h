#pragma once
// Test doubles of the seams: scripted messages, an in-memory settings store,
// a recording print surface with fixed metrics, a fixed clock, and a
// temporary directory that is also the current directory and DataDir.

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/file_system.h"
#include "common/messages.h"
#include "common/print_surface.h"
#include "common/settings_store.h"

namespace zel::test {

class FakeMessages : public Messages {
public:
  struct Entry {
    std::string kind;  // "show", "caption", "ask", "error"
    std::string caption;
    std::string text;
  };
  void Show(const std::string& text) override { log.push_back({"show", "ZEL", text}); }
  void ShowCaptioned(const std::string& caption, const std::string& text) override {
    log.push_back({"caption", caption, text});
  }
  bool Ask(const std::string& caption, const std::string& text, Icon icon, Default def) override;
  void ReportError(const std::string& text) override { log.push_back({"error", "", text}); }

  // Answers for the next questions, in order; true is OK. Without one, Ask answers OK.
  std::deque<bool> answers;
  std::vector<Entry> log;
  std::vector<Icon> icons;
  std::vector<Default> defaults;

  std::vector<std::string> Texts() const;
};

class FakeSettingsStore : public SettingsStore {
public:
  bool KeyExists() override { return keyExists; }
  Status CreateKey() override;
  std::string Read(const std::string& name) override;
  Status Write(const std::string& name, const std::string& value) override;

  bool keyExists = false;
  std::map<std::string, std::string> values;
  std::vector<std::string> writes;  // value names in the order written
  int failWritesFrom = -1;          // the n-th write (0-based) and all after it fail
};

// Fixed metrics: every character is charWidth units wide, texts are
// textHeight high; the page is pageWidth x pageHeight.
class RecordingPrintSurface : public PrintSurface {
public:
  struct Op {
    std::string kind;  // "font", "text", "line", "page", "end"
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string text;
  };
  int PageWidth() const override { return pageWidth; }
  int PageHeight() const override { return pageHeight; }
  void SetFont(const PrintFont& font) override;
  int TextWidth(const std::string& text) const override { return static_cast<int>(text.size()) * charWidth; }
  int TextHeight(const std::string&) const override { return textHeight; }
  void TextOut(int x, int y, const std::string& text) override { ops->push_back({"text", x, y, 0, 0, text}); }
  void Line(int x1, int y1, int x2, int y2) override { ops->push_back({"line", x1, y1, x2, y2, ""}); }
  void NewPage() override { ops->push_back({"page", 0, 0, 0, 0, ""}); }
  Status End() override;

  int pageWidth = 4000;
  int pageHeight = 6000;
  int charWidth = 20;
  int textHeight = 40;
  std::shared_ptr<std::vector<Op>> ops = std::make_shared<std::vector<Op>>();
};

// Answers the print dialog from `accept` and hands out recording surfaces
// that share one operation log.
class FakePrinter : public Printer {
public:
  std::unique_ptr<PrintSurface> Begin() override;
  bool accept = true;
  int dialogs = 0;
  RecordingPrintSurface prototype;  // metrics for every job
  std::shared_ptr<std::vector<RecordingPrintSurface::Op>> ops =
      std::make_shared<std::vector<RecordingPrintSurface::Op>>();
  // The texts drawn, in order.
  std::vector<std::string> Texts() const;
};

class FakeClock : public Clock {
public:
  Date Today() const override { return today; }
  DateTime Now() const override { return {today, time}; }
  std::string WeekdayShortName(int weekday) const override;
  std::string MonthName(int month) const override;
  Date today{2026, 12, 7, 1};
  TimeOfDay time{10, 11, 12};
};

// A fresh directory under the system's temporary folder that becomes the
// current directory and DataDir for the life of the object; removed after.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  // The full path of a file in it, joined as the program joins DataDir and a name.
  std::string File(const std::string& name) const { return path_ + SystemFileSystem().Separator() + name; }

private:
  std::string path_;
  std::string previous_;
  std::string previousDataDir_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace zel::test
