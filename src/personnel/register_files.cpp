#include "personnel/register_files.h"

#include "common/data_files.h"
#include "common/whole_file.h"

namespace zel {

Status LoadRegister(FileSystem& fs, Register& reg) {
  const std::string path = DataFile(kRegisterFile);
  if (!fs.Exists(path)) return Status::Ok();
  // Read straight into the records (their bytes are the file's, one after another).
  Register::Records records;
  std::size_t size = 0;
  const auto room = [&records](std::size_t bytes) {
    records.resize((bytes + sizeof(EmployeeRecord) - 1) / sizeof(EmployeeRecord));
    return reinterpret_cast<char*>(records.data());
  };
  if (Status read = files::ReadFileInto(fs, path, room, size); !read.ok()) return read;
  records.resize(size / sizeof(EmployeeRecord));  // a trailing partial record is left out
  reg.AppendRecords(std::move(records));
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
