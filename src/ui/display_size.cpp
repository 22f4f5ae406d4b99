#include "ui/display_size.h"

#include <array>
#include <fstream>
#include <string>
#include <system_error>

#include "base/atomic_file.h"
#include "base/numbers.h"

namespace quintora::ui {
namespace {

// The settings file is two short lines; anything longer is not ours.
constexpr std::size_t settings_read_limit = 256;

// Reads one decimal integer after blanks and line ends, as the file's
// writer puts them. False when there is none or it is out of int's range.
bool next_integer(std::string_view text, std::size_t& pos, long& value) {
  const base::ScannedInteger number = base::scan_integer(text, base::skip_white(text, pos), 1000000000LL);
  if (!number.found || number.too_large) return false;
  pos = number.end;
  value = static_cast<long>(number.value);
  return true;
}

}  // namespace

DisplaySize read_display_size(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return DisplaySize::Small;
  std::array<char, settings_read_limit> buffer{};
  in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  const std::string_view text(buffer.data(), static_cast<std::size_t>(in.gcount()));

  std::size_t pos = 0;
  long first = 0;
  long second = 0;
  if (!next_integer(text, pos, first) || !next_integer(text, pos, second)) return DisplaySize::Small;
  switch (second) {
    case 2:
      return DisplaySize::Medium;
    case 3:
      return DisplaySize::Large;
    default:
      return DisplaySize::Small;
  }
}

bool write_display_size(const std::filesystem::path& file, DisplaySize size) {
  std::error_code ec;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  // Line ends as the platform writes text files, so the file reads the same
  // as one written by the program's earlier versions.
  const std::string text = "140\n" + std::to_string(static_cast<int>(size)) + "\n";
  return base::write_file_atomically(file, base::with_platform_line_ends(text)) == base::WriteStatus::Ok;
}

int point_size(DisplaySize size) {
  switch (size) {
    case DisplaySize::Medium:
      return 10;
    case DisplaySize::Large:
      return 12;
    case DisplaySize::Small:
      break;
  }
  return 8;
}

}  // namespace quintora::ui
