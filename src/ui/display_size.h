#pragma once
// The display size: which of the three font sizes the main window is built
// with. It lives in a two-line settings file, read once at start and written
// only when the user picks a size, so a change shows at the next start.

#include <filesystem>
#include <string_view>

namespace quintora::ui {

enum class DisplaySize { Small = 1, Medium = 2, Large = 3 };

inline constexpr std::string_view settings_file_name = "qtra_set.dat";

// The size stored in file; Small when the file is missing, unreadable or
// holds anything but 1, 2 or 3 as its second number.
DisplaySize read_display_size(const std::filesystem::path& file);

// Replaces file with the two lines "140" and the size's code, creating its
// folder when needed. False when the file could not be written.
bool write_display_size(const std::filesystem::path& file, DisplaySize size);

// The form's font size for a display size.
int point_size(DisplaySize size);

}  // namespace quintora::ui
