#pragma once
// The window system of the command line: message boxes become lines
// "CAPTION: text" on standard error and are answered as if OK (or Yes) had
// been pressed; there are no controls, dialogs or viewers.

#include <ostream>
#include <string_view>

#include "ui/null_window_system.h"

namespace quintora::cli {

class ConsoleWindowSystem final : public ui::NullWindowSystem {
 public:
  explicit ConsoleWindowSystem(std::ostream& messages) : messages_(messages) {}

  ui::Answer message_box(std::string_view text, std::string_view caption, ui::Icon icon,
                         ui::Buttons buttons) override;

 private:
  std::ostream& messages_;
};

}  // namespace quintora::cli
