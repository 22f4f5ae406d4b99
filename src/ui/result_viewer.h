#pragma once
// Shows a finished schedule file in the viewer the user chose.

#include <filesystem>

#include "base/window_system.h"
#include "schedule/schedule_options.h"

namespace quintora::ui {

// NotePad is this project's "quintora-view", and WordPad the program the
// desktop associates with the file's type (on Windows as a double-click
// would open it), falling back to "quintora-view". When nothing can be
// started, a message tells the user where the file is.
void show_result(base::WindowSystem& ws, schedule::Viewer viewer, const std::filesystem::path& path);

}  // namespace quintora::ui
