#include <sys/stat.h>

#include <system_error>

#include "base/random_name.h"
#include "base/system.h"

namespace quintora::base {

std::vector<std::string> utf8_arguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.emplace_back(argv[i]);
  return arguments;
}

void prepare_console() {}

std::filesystem::path system_settings_folder() { return {}; }

std::filesystem::path make_private_folder(std::string_view prefix) {
  std::error_code ec;
  const std::filesystem::path temp_root = std::filesystem::temp_directory_path(ec);
  if (ec) return {};
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::filesystem::path candidate = temp_root / (std::string(prefix) + random_hex(12));
    // Made private from the start, and never a folder someone else made.
    if (::mkdir(candidate.c_str(), 0700) == 0) return candidate;
  }
  return {};
}

std::string narrow_path(const std::filesystem::path& path) { return path.native(); }

bool open_with_associated_program(const std::filesystem::path&) { return false; }

}  // namespace quintora::base
