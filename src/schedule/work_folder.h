#pragma once
// A private folder for the files the run and the optimiser exchange, made
// fresh for each run in the system's temporary folder: two runs never meet,
// a read-only current folder does not matter, and no result file can be one
// of them. The folder and its files are registered for removal should the
// process be interrupted.

#include <array>
#include <filesystem>
#include <string_view>

namespace quintora::schedule {

class WorkFolder {
 public:
  WorkFolder() = default;
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;
  ~WorkFolder() { remove(); }

  // Makes a new, empty folder that only this user may enter; false when
  // none could be made.
  bool create();
  bool exists() const { return !path_.empty(); }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path file(std::string_view name) const { return path_ / name; }

  // Removes the optimiser's files by their exact names, then the folder,
  // and nothing else: a folder holding anything more is left where it is.
  void remove();

 private:
  std::filesystem::path path_;
  std::array<int, 4> cleanup_slots_{-1, -1, -1, -1};
};

}  // namespace quintora::schedule
