#pragma once
// The About box: names the program and its version; OK, Enter, Escape and the
// close box all close it.

#include "base/window_system.h"

namespace quintora::ui {

void show_about_box(base::WindowSystem& ws);

}  // namespace quintora::ui
