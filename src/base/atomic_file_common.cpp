// What the atomic writer says and does alike on every system; the writing
// itself is in atomic_file.cpp (POSIX) and atomic_file_windows.cpp.

#include <filesystem>
#include <string>
#include <string_view>

#include "base/atomic_file.h"

namespace quintora::base {

namespace fs = std::filesystem;

std::string_view describe(WriteStatus status) {
  switch (status) {
    case WriteStatus::Ok:
      return "The file was written.";
    case WriteStatus::InvalidName:
      return "The name is not a file name.";
    case WriteStatus::NoFolder:
      return "Its folder does not exist.";
    case WriteStatus::NotAFile:
      return "A folder or another object that is not a file has that name.";
    case WriteStatus::ReadOnly:
      return "The file is read-only.";
    case WriteStatus::CannotCreate:
      return "The folder does not allow a new file to be made.";
    case WriteStatus::NoRoom:
      return "There is no room for it: the disk is full or the file would pass a size limit.";
    case WriteStatus::WriteFailed:
      return "Writing the file failed.";
    case WriteStatus::CannotReplace:
      return "The earlier file could not be replaced.";
    case WriteStatus::InUse:
      return "Another program has the file open: close it there, then try again.";
  }
  return "The file could not be written.";
}

WriteStatus write_file_atomically(const fs::path& target, std::string_view bytes) {
  AtomicFile file;
  const WriteStatus status = file.prepare(target);
  return status == WriteStatus::Ok ? file.commit(bytes) : status;
}

std::string with_platform_line_ends(std::string_view text) {
#ifdef _WIN32
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
#else
  return std::string(text);
#endif
}

}  // namespace quintora::base
