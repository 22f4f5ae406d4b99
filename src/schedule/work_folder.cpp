#include "schedule/work_folder.h"

#include <system_error>

#include "base/interrupt_cleanup.h"
#include "base/system.h"
#include "optimiser/file_names.h"

namespace quintora::schedule {

namespace {

constexpr std::array<std::string_view, 3> work_files = {optimiser::file::order, optimiser::file::input,
                                                        optimiser::file::report};

}  // namespace

bool WorkFolder::create() {
  remove();
  path_ = base::make_private_folder("quintora-run-");
  if (path_.empty()) return false;
  cleanup_slots_[0] = base::register_cleanup(path_, base::CleanupKind::Folder);
  for (std::size_t i = 0; i < work_files.size(); ++i) {
    cleanup_slots_[i + 1] = base::register_cleanup(file(work_files[i]), base::CleanupKind::File);
  }
  return true;
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
