#pragma once
// A private folder for the files the run and the optimiser exchange, made
// fresh for each run in the system's temporary folder: two runs never meet,
// a read-only current folder does not matter, and no result file can be one
// of them. The folder and its files are registered for removal should the
// process be interrupted.

#include <filesystem>
#include <string_view>

#include "base/private_folder.h"

namespace quintora::schedule {

class WorkFolder {
 public:
  // Makes a new, empty folder that only this user may enter; false when
  // none could be made.
  bool create();
  bool exists() const { return folder_.exists(); }
  const std::filesystem::path& path() const { return folder_.path(); }
  std::filesystem::path file(std::string_view name) const { return folder_.file(name); }

  // Removes the optimiser's files by their exact names, then the folder,
  // and nothing else: a folder holding anything more is left where it is.
  void remove() { folder_.remove(); }

 private:
  base::PrivateFolder folder_;
};

}  // namespace quintora::schedule
