#include "support/fakes.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "common/data_files.h"

namespace zel::test {

bool FakeMessages::Ask(const std::string& caption, const std::string& text, Icon icon, Default def) {
  log.push_back({"ask", caption, text});
  icons.push_back(icon);
  defaults.push_back(def);
  if (answers.empty()) return true;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

std::vector<std::string> FakeMessages::Texts() const {
  std::vector<std::string> texts;
  for (const auto& e : log) texts.push_back(e.text);
  return texts;
}

Status FakeSettingsStore::CreateKey() {
  keyExists = true;
  return Status::Ok();
}

std::string FakeSettingsStore::Read(const std::string& name) {
  if (!keyExists) return {};
  const auto it = values.find(name);
  return it == values.end() ? std::string() : it->second;
}

Status FakeSettingsStore::Write(const std::string& name, const std::string& value) {
  const int n = static_cast<int>(writes.size());
  writes.push_back(name);
  if (failWritesFrom >= 0 && n >= failWritesFrom) return Status::Fail("Access denied");
  keyExists = true;
  values[name] = value;
  return Status::Ok();
}

void RecordingPrintSurface::SetFont(const PrintFont& font) {
  ops->push_back({"font", font.pixelHeight, 0, 0, 0, font.family});
}

Status RecordingPrintSurface::End() {
  ops->push_back({"end", 0, 0, 0, 0, ""});
  return Status::Ok();
}

std::unique_ptr<PrintSurface> FakePrinter::Begin() {
  ++dialogs;
  if (!accept) return nullptr;
  auto surface = std::make_unique<RecordingPrintSurface>(prototype);
  surface->ops = ops;
  return surface;
}

std::vector<std::string> FakePrinter::Texts() const {
  std::vector<std::string> texts;
  for (const auto& op : *ops) {
    if (op.kind == "text") texts.push_back(op.text);
  }
  return texts;
}

std::string FakeClock::WeekdayShortName(int weekday) const {
  static const char* const kNames[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  return kNames[(weekday + 6) % 7];
}

std::string FakeClock::MonthName(int month) const {
  static const char* const kNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
  return kNames[(month + 11) % 12];
}

TempDir::TempDir() {
  // A new folder of a name no other test holds: create_directory refuses an existing one.
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  std::random_device random;
  for (int attempt = 0; path_.empty(); ++attempt) {
    if (attempt == 100) throw std::runtime_error("cannot create a temporary folder");
    const std::filesystem::path candidate = base / ("zel-test-" + std::to_string(random()));
    std::error_code ec;
    if (std::filesystem::create_directory(candidate, ec)) path_ = candidate.string();
  }
  previous_ = std::filesystem::current_path().string();
  previousDataDir_ = DataDir();
  std::filesystem::current_path(path_);
  SetDataDir(path_ + SystemFileSystem().Separator());
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::current_path(previous_, ec);
  SetDataDir(previousDataDir_);
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace zel::test
