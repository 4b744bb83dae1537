#include "personnel/register_files.h"

#include "common/data_files.h"
#include "common/fixed_records.h"
#include "common/text.h"

namespace zel {

Status LoadRegister(FileSystem& fs, Register& reg) {
  const std::string path = DataFile(kRegisterFile);
  if (!fs.Exists(path)) return Status::Ok();
  std::string content;
  if (Status read = files::ReadFile(fs, path, content); !read.ok()) return read;
  reg.Reserve(reg.size() + WholeRecords<EmployeeRecord>(content));
  ForEachRecord<EmployeeRecord>(content, [&reg](const EmployeeRecord& r) { reg.Append(r); });
  return Status::Ok();
}

Status SaveRegister(FileSystem& fs, const Register& reg, const files::WarningSink& warn) {
  // The records lie in memory exactly as in the file, one after another.
  const auto& records = reg.records();
  const std::string_view content(reinterpret_cast<const char*>(records.data()),
                                 records.size() * sizeof(EmployeeRecord));
  return files::ReplaceFile(fs, DataFile(kRegisterFile), content, DataFile(kRegisterBackup), warn);
}

void FreeRecords(Register& reg) { reg.Clear(); }

}  // namespace zel
