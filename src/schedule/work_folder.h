#pragma once
// A private folder for the files the run and the optimiser exchange
// ("optimal.inp", "optimal.out", "ZORAV.OUT"), made fresh for each run in the
// system's temporary folder: two runs never meet, a read-only current folder
// does not matter, and no result file can be one of them.

#include <filesystem>
#include <string_view>

namespace quintora::schedule {

inline constexpr std::string_view optimiser_input_name = "optimal.inp";
inline constexpr std::string_view optimiser_output_name = "optimal.out";
inline constexpr std::string_view optimiser_report_name = "ZORAV.OUT";

class WorkFolder {
 public:
  WorkFolder() = default;
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;
  ~WorkFolder() { remove(); }

  // Makes a new, empty folder; false when none could be made.
  bool create();
  bool exists() const { return !path_.empty(); }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path file(std::string_view name) const { return path_ / name; }

  // Removes the three work files by their exact names, then the folder, and
  // nothing else: a folder holding anything more is left where it is.
  void remove();

 private:
  std::filesystem::path path_;
};

}  // namespace quintora::schedule
