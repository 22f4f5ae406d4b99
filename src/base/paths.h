#pragma once
// Paths travel as UTF-8 text between the window system, the league file and
// the file system; these conversions keep that true on Windows, where narrow
// strings are not UTF-8.

#include <filesystem>
#include <string>
#include <string_view>

namespace quintora::base {

inline std::filesystem::path path_from_utf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string utf8_of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace quintora::base
