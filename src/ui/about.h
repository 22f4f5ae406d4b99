#pragma once
// The About box: names the program and its version; OK, Enter, Escape and the
// close box all close it.

#include "ui/window_system.h"

namespace quintora::ui {

void show_about_box(WindowSystem& ws);

}  // namespace quintora::ui
