#include "ui/display_size.h"

#include <array>
#include <fstream>
#include <system_error>

namespace quintora::ui {
namespace {

// The settings file is two short lines; anything longer is not ours.
constexpr std::size_t settings_read_limit = 256;

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads one decimal integer after blanks and line ends, as the file's
// writer puts them. False when there is none or it is out of int's range.
bool next_integer(std::string_view text, std::size_t& pos, long& value) {
  while (pos < text.size() && is_blank(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  std::size_t digits = 0;
  long v = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    if (v > 100000000L) return false;
    v = v * 10 + (text[pos] - '0');
    ++pos;
    ++digits;
  }
  if (digits == 0) return false;
  value = negative ? -v : v;
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
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  // Line ends as the platform writes text files, so the file reads the same
  // as one written by the program's earlier versions.
#ifdef _WIN32
  constexpr const char* line_end = "\r\n";
#else
  constexpr const char* line_end = "\n";
#endif
  out << 140 << line_end << static_cast<int>(size) << line_end;
  out.close();
  return !out.fail();
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
