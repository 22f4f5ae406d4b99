#pragma once
// The one way the program puts a file in place. The new text goes to a
// temporary file made beside the target, created exclusively and never
// through a link; it is flushed to disk and then renamed over the target, so
// a reader sees the old file or the new one, never a mix, and a failure at
// any step leaves the old file as it was. Where the folder takes no new
// files but the file itself is writable, the file is overwritten in place,
// but only after the room for the whole new text has been reserved.

#include <filesystem>
#include <string>
#include <string_view>

namespace quintora::base {

enum class WriteStatus {
  Ok,
  InvalidName,    // an empty name, or one that ends in a folder separator
  NoFolder,       // the folder does not exist
  NotAFile,       // a folder or device bears the name
  ReadOnly,       // the file exists and may not be written
  CannotCreate,   // the folder takes no new file, and there is no file to overwrite
  NoRoom,         // the disk is full or the file would pass a size limit; nothing changed
  WriteFailed,    // writing or flushing failed; nothing changed
  CannotReplace,  // the finished file could not take the old one's place; nothing changed
  InUse,          // another program holds the file open and keeps it from being replaced (Windows)
};

// One sentence for the user, e.g. "The disk is full.".
std::string_view describe(WriteStatus status);

class AtomicFile {
 public:
  AtomicFile() = default;
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  ~AtomicFile() { abandon(); }

  // Checks that `target` can take a new file and makes the temporary file
  // beside it. A target that is a link is replaced where the link points.
  WriteStatus prepare(const std::filesystem::path& target);

  // Writes `bytes` exactly as given and puts the file in place. The new file
  // keeps the permissions of the one it replaces.
  WriteStatus commit(std::string_view bytes);

  // Removes the temporary file, if any; the target is untouched.
  void abandon();

  // The file that commit replaces.
  const std::filesystem::path& destination() const { return destination_; }

 private:
  static constexpr int name_attempts = 64;
  // A name beside the target for its temporary, random but for a test's first.
  static std::filesystem::path temporary_name(const std::filesystem::path& folder,
                                              const std::filesystem::path& file, int attempt);
  // Makes the temporary beside the checked target, or opens the file itself
  // where the folder takes no new file; each system its own way.
  WriteStatus open_beside(const std::filesystem::path& folder, std::filesystem::path destination,
                          const std::filesystem::file_status& status);
  WriteStatus commit_temporary(std::string_view bytes);
  WriteStatus commit_in_place(std::string_view bytes);
  void close_descriptor();

  std::filesystem::path destination_;
  std::filesystem::path temporary_;
  int descriptor_ = -1;
  int cleanup_slot_ = -1;
  bool in_place_ = false;
};

// prepare and commit in one call.
WriteStatus write_file_atomically(const std::filesystem::path& target, std::string_view bytes);

// Text with the line ends the platform's text files use: "\n" stays on
// Linux and macOS and becomes "\r\n" on Windows.
std::string with_platform_line_ends(std::string_view text);

// A write past the process's file-size limit then fails with an error the
// program reports, instead of ending the process. Programs call it at start.
void ignore_file_size_signal();

// Failures the tests cannot make for real (a full disk, a folder that root
// may still write to). Zero values leave the real behaviour.
struct WriteFaults {
  int create_error = 0;  // errno that making the temporary file fails with
  long long room = -1;   // bytes the disk still takes; -1: no limit
  bool rename_fails = false;
  std::string first_suffix;  // the random part of the first temporary name tried
  // Runs once a file is in place, as another program touching it would.
  void (*after_commit)(const std::filesystem::path&) = nullptr;
  // Overwriting in place, once the room is reserved: an errno that writing
  // the text then fails with, and a step to run first (a signal arriving).
  int write_error = 0;
  void (*after_reserve)() = nullptr;
};
void set_write_faults_for_testing(const WriteFaults& faults);
// The faults set, which each system's writer reads.
const WriteFaults& write_faults();

}  // namespace quintora::base
