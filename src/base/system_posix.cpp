#include <sys/stat.h>

#include "base/system.h"

namespace quintora::base {

std::vector<std::string> utf8_arguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.emplace_back(argv[i]);
  return arguments;
}

void use_utf8_console() {}

std::filesystem::path system_settings_folder() { return {}; }

bool create_private_folder(const std::filesystem::path& path) { return ::mkdir(path.c_str(), 0700) == 0; }

std::string narrow_path(const std::filesystem::path& path) { return path.native(); }

bool open_with_associated_program(const std::filesystem::path&) { return false; }

}  // namespace quintora::base
