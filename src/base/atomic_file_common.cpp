// What the atomic writer says and does alike on every system: its messages,
// the checks of the target, giving up a write, the whole-file write and the
// line ends; the writing itself is in atomic_file.cpp (POSIX) and
// atomic_file_windows.cpp.

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "base/atomic_file.h"
#include "base/interrupt_cleanup.h"
#include "base/random_name.h"
#include "base/text.h"

namespace quintora::base {

namespace fs = std::filesystem;

namespace {

WriteFaults faults;

// Bytes of the target's own name kept in the temporary's name; the rest is
// cut so that a long name still leaves room for the suffix.
constexpr std::size_t kept_name_bytes = 96;

}  // namespace

const WriteFaults& write_faults() { return faults; }
void set_write_faults_for_testing(const WriteFaults& f) { faults = f; }

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

fs::path AtomicFile::temporary_name(const fs::path& folder, const fs::path& file, int attempt) {
  const std::u8string own = file.filename().u8string();
  const std::string_view bytes(reinterpret_cast<const char*>(own.data()), own.size());
  const std::string_view kept = bytes.substr(0, fitting_length(bytes, kept_name_bytes));
  std::u8string name = u8".";
  name.append(kept.begin(), kept.end());
  name += u8".";
  const std::string hex = attempt == 0 && !faults.first_suffix.empty() ? faults.first_suffix : random_hex(16);
  name.append(hex.begin(), hex.end());
  name += u8".tmp";
  return folder / fs::path(name);
}

// The checks of the target are the same everywhere; how the temporary is
// made beside it, and when the file is overwritten in place, is the system's.
WriteStatus AtomicFile::prepare(const fs::path& target) {
  abandon();
  destination_.clear();
  if (target.empty() || !target.has_filename()) return WriteStatus::InvalidName;

  std::error_code ec;
  fs::path destination = target;
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    destination = fs::weakly_canonical(target, ec);
    if (ec) return WriteStatus::CannotCreate;
  }
  fs::path folder = destination.parent_path();
  if (folder.empty()) folder = ".";
  if (!fs::is_directory(folder, ec)) return WriteStatus::NoFolder;

  const fs::file_status status = fs::status(destination, ec);
  if (fs::exists(status) && !fs::is_regular_file(status)) return WriteStatus::NotAFile;
  return open_beside(folder, std::move(destination), status);
}

void AtomicFile::abandon() {
  close_descriptor();
  in_place_ = false;
  if (!temporary_.empty()) {
    std::error_code ec;
    fs::remove(temporary_, ec);
    temporary_.clear();
  }
  unregister_cleanup(cleanup_slot_);
  cleanup_slot_ = -1;
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
