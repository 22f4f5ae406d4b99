#include "schedule/work_folder.h"

#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <system_error>

namespace quintora::schedule {

namespace {

std::string random_suffix() {
  static std::mt19937_64 generator{[] {
    std::random_device device;
    const auto now = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return (static_cast<std::uint64_t>(device()) << 32) ^ now;
  }()};
  static constexpr char digits[] = "0123456789abcdef";
  std::uint64_t value = generator();
  std::string text;
  for (int i = 0; i < 12; ++i) {
    text += digits[value & 0xFu];
    value >>= 4;
  }
  return text;
}

}  // namespace

bool WorkFolder::create() {
  remove();
  std::error_code ec;
  const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
  if (ec) return false;
  // create_directory reports false for a name that already exists, so a
  // folder is never shared with anyone else.
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::filesystem::path candidate = base / ("quintora-run-" + random_suffix());
    if (std::filesystem::create_directory(candidate, ec) && !ec) {
      std::filesystem::permissions(candidate, std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::replace, ec);
      path_ = std::move(candidate);
      return true;
    }
  }
  return false;
}

void WorkFolder::remove() {
  if (path_.empty()) return;
  std::error_code ec;
  for (std::string_view name : {optimiser_output_name, optimiser_input_name, optimiser_report_name}) {
    std::filesystem::remove(file(name), ec);
  }
  std::filesystem::remove(path_, ec);  // fails, harmlessly, if anything else is inside
  path_.clear();
}

}  // namespace quintora::schedule
