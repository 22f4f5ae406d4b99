#include "ui/window_size.h"

#include <array>
#include <fstream>
#include <string>
#include <system_error>

#include "base/atomic_file.h"
#include "base/numbers.h"

namespace quintora::ui {
namespace {

constexpr std::size_t read_limit = 64;  // one short line; anything longer is not ours

bool in_range(int side) { return side >= min_window_side && side <= max_window_side; }

}  // namespace

std::optional<WindowSize> read_window_size(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::array<char, read_limit + 1> buffer{};
  in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  const auto length = static_cast<std::size_t>(in.gcount());
  if (length > read_limit) return std::nullopt;
  const std::string_view text(buffer.data(), length);

  std::size_t pos = 0;
  int sides[2] = {0, 0};
  for (int& side : sides) {
    const base::ScannedInteger number =
        base::scan_integer(text, base::skip_white(text, pos), max_window_side);
    if (!number.found || number.too_large || number.value < 0) return std::nullopt;
    side = static_cast<int>(number.value);
    pos = number.end;
  }
  if (base::skip_white(text, pos) != text.size()) return std::nullopt;
  if (!in_range(sides[0]) || !in_range(sides[1])) return std::nullopt;
  return WindowSize{sides[0], sides[1]};
}

bool write_window_size(const std::filesystem::path& file, WindowSize size) {
  if (!in_range(size.width) || !in_range(size.height)) return false;
  std::error_code ec;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  const std::string text = std::to_string(size.width) + " " + std::to_string(size.height) + "\n";
  return base::write_file_atomically(file, base::with_platform_line_ends(text)) == base::WriteStatus::Ok;
}

}  // namespace quintora::ui
