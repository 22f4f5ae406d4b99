#pragma once
// The window system of the command line: message boxes become lines
// "CAPTION: text" on standard error, control characters shown escaped, and
// are answered as if OK (or Yes) had been pressed; there are no controls,
// dialogs or viewers.

#include <ostream>
#include <string_view>

#include "base/null_window_system.h"

namespace quintora::cli {

class ConsoleWindowSystem final : public base::NullWindowSystem {
 public:
  explicit ConsoleWindowSystem(std::ostream& messages) : messages_(messages) {}

  base::Answer message_box(std::string_view text, std::string_view caption, base::Icon icon,
                           base::Buttons buttons) override;

 private:
  std::ostream& messages_;
};

}  // namespace quintora::cli
