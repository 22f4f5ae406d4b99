#pragma once
// A folder only this user may enter, made fresh in the system's temporary
// folder for files that must not outlive the run: the optimiser's work
// files, the workbook library's scratch file, Qt's runtime folder for a PDF.
// Its path and the files named to it are registered for removal on an
// interrupt before the folder exists, so a signal at any moment leaves
// nothing behind.

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quintora::base {

class PrivateFolder {
 public:
  PrivateFolder() = default;
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;
  ~PrivateFolder() { remove(); }

  // Makes a new, empty folder named `prefix` and a random part, private
  // from the start; `files` are the names of the files that will be made in
  // it. False when none could be made.
  bool create(std::string_view prefix, std::initializer_list<std::string_view> files);
  bool exists() const { return !path_.empty(); }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path file(std::string_view name) const { return path_ / name; }

  // Removes the named files, then the folder, and nothing else: a folder
  // holding anything more is left where it is.
  void remove();

 private:
  void unregister();

  std::filesystem::path path_;
  std::vector<std::string> files_;
  std::vector<int> slots_;
};

}  // namespace quintora::base
