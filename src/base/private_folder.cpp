#include "base/private_folder.h"

#include <system_error>

#include "base/interrupt_cleanup.h"
#include "base/random_name.h"
#include "base/system.h"

namespace quintora::base {

bool PrivateFolder::create(std::string_view prefix, std::initializer_list<std::string_view> files) {
  remove();
  std::error_code ec;
  const std::filesystem::path temp_root = std::filesystem::temp_directory_path(ec);
  if (ec) return false;
  for (int attempt = 0; attempt < 16; ++attempt) {
    const std::filesystem::path candidate = temp_root / (std::string(prefix) + random_hex(12));
    // Files first: the handler removes them before the folder.
    for (const std::string_view name : files)
      slots_.push_back(register_cleanup(candidate / name, CleanupKind::File));
    slots_.push_back(register_cleanup(candidate, CleanupKind::Folder));
    // Private from the start (mode 0700, or an access list naming the user
    // alone), and never a folder someone else made.
    if (create_private_folder(candidate)) {
      path_ = candidate;
      files_.assign(files.begin(), files.end());
      return true;
    }
    unregister();
  }
  return false;
}

void PrivateFolder::remove() {
  if (!path_.empty()) {
    std::error_code ec;
    for (const std::string& name : files_) std::filesystem::remove(file(name), ec);
    std::filesystem::remove(path_, ec);  // fails, harmlessly, if anything else is inside
  }
  unregister();
  path_.clear();
  files_.clear();
}

void PrivateFolder::unregister() {
  for (const int slot : slots_) unregister_cleanup(slot);
  slots_.clear();
}

}  // namespace quintora::base
