#pragma once
// The size a resizable window had when it was last closed, kept in a small
// file of its own beside the display-size setting, so the window opens as
// the user left it. The display-size file is never touched.

#include <filesystem>
#include <optional>
#include <string_view>

namespace quintora::ui {

inline constexpr std::string_view season_window_file_name = "season_window.dat";

struct WindowSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

// Sizes outside this range are not taken from the file (a damaged file must
// not make a window too small to use or larger than any screen).
inline constexpr int min_window_side = 200;
inline constexpr int max_window_side = 20000;

// The size stored in file: "WIDTH HEIGHT" on one line. Nothing when the file
// is missing, unreadable, or holds anything else.
std::optional<WindowSize> read_window_size(const std::filesystem::path& file);

// Replaces file with the size, creating its folder when needed. False when
// the size is out of range or the file could not be written.
bool write_window_size(const std::filesystem::path& file, WindowSize size);

}  // namespace quintora::ui
