#pragma once
// A whole file read straight into the memory that keeps it
// (FileSystem::ReadAllInto), for the loads of large files: no second copy,
// and no buffer grown past the file's size.

#include <cstddef>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/file_system.h"
#include "common/status.h"
#include "common/uninitialised.h"

namespace zel::files {

// As ReadFile: a failure names the file by its full path, in the same words.
inline Status ReadFileInto(FileSystem& fs, const std::string& path, const FileSystem::Room& room, std::size_t& size) {
  const Status read = fs.ReadAllInto(path, room, size);
  return read.ok() ? read : ReadFailure(fs, path, read);
}

// As ReadFile, in pieces (FileSystem::ReadInChunks).
inline Status ReadFileInChunks(FileSystem& fs, const std::string& path, std::size_t chunk,
                               const FileSystem::Piece& each) {
  const Status read = fs.ReadInChunks(path, chunk, each);
  return read.ok() ? read : ReadFailure(fs, path, read);
}

// Bytes of a file, not zeroed before the read fills them.
using FileBytes = std::vector<char, UninitialisedAllocator<char>>;

// The whole file into `content`, sized once.
template <class Bytes>
Status ReadFileInto(FileSystem& fs, const std::string& path, Bytes& content) {
  const Status read = ReadAllIntoBytes(fs, path, content);
  return read.ok() ? read : ReadFailure(fs, path, read);
}

}  // namespace zel::files
