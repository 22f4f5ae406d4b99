#pragma once
// The schedule file is put in place only when it is complete: the text goes
// to a temporary file beside the result, which then replaces the result in
// one step. A run that fails after the check leaves an existing file as it
// was and never leaves a half-written one behind.

#include <filesystem>
#include <string_view>

namespace quintora::schedule {

class ResultFile {
 public:
  ResultFile() = default;
  ResultFile(const ResultFile&) = delete;
  ResultFile& operator=(const ResultFile&) = delete;
  ~ResultFile() { abandon(); }

  // Checks that `target` (a full path) can take the schedule and creates the
  // temporary file beside it. False for an empty name, a missing folder, a
  // folder or other non-file in its place, or a file that cannot be written.
  bool prepare(const std::filesystem::path& target);

  // Writes `text` and puts it in place of the target; false when a write,
  // the close or the replacement fails, and the target is then unchanged.
  bool commit(std::string_view text);

  // Removes the temporary file, if any; the target is untouched.
  void abandon();

  // The file that commit replaces (a link's target, when the name is a link).
  const std::filesystem::path& destination() const { return destination_; }

 private:
  std::filesystem::path destination_;
  std::filesystem::path temporary_;
  bool direct_ = false;  // the folder takes no new files, but the existing result is writable
};

}  // namespace quintora::schedule
