#include "schedule/work_folder.h"

#include <cerrno>
#include <cstdint>
#include <string>
#include <system_error>

#include "base/interrupt_cleanup.h"
#include "base/random_name.h"
#include "optimiser/file_names.h"

#ifdef _WIN32
#include <direct.h>
#else
#include <sys/stat.h>
#endif

namespace quintora::schedule {

namespace {

constexpr std::array<std::string_view, 3> work_files = {optimiser::file::order, optimiser::file::input,
                                                        optimiser::file::report};

// Creates the folder private from the start: there is no moment in which
// anybody else could enter it. False when the name is taken or refused.
bool make_private_folder(const std::filesystem::path& path) {
#ifdef _WIN32
  return _wmkdir(path.c_str()) == 0;
#else
  return ::mkdir(path.c_str(), 0700) == 0;
#endif
}

}  // namespace

bool WorkFolder::create() {
  remove();
  std::error_code ec;
  const std::filesystem::path temp_root = std::filesystem::temp_directory_path(ec);
  if (ec) return false;
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::filesystem::path candidate = temp_root / ("quintora-run-" + base::random_hex(12));
    if (!make_private_folder(candidate)) continue;  // never a folder someone else made
    path_ = std::move(candidate);
    cleanup_slots_[0] = base::register_cleanup(path_, base::CleanupKind::Folder);
    for (std::size_t i = 0; i < work_files.size(); ++i) {
      cleanup_slots_[i + 1] = base::register_cleanup(file(work_files[i]), base::CleanupKind::File);
    }
    return true;
  }
  return false;
}

void WorkFolder::remove() {
  if (path_.empty()) return;
  std::error_code ec;
  for (std::string_view name : work_files) std::filesystem::remove(file(name), ec);
  std::filesystem::remove(path_, ec);  // fails, harmlessly, if anything else is inside
  for (int& slot : cleanup_slots_) {
    base::unregister_cleanup(slot);
    slot = -1;
  }
  path_.clear();
}

}  // namespace quintora::schedule
