#include "console_window_system.h"

namespace quintora::cli {

base::Answer ConsoleWindowSystem::message_box(std::string_view text, std::string_view caption, base::Icon,
                                              base::Buttons buttons) {
  messages_ << caption << ": " << text << '\n' << std::flush;
  return buttons == base::Buttons::YesNoCancel ? base::Answer::Yes : base::Answer::Ok;
}

}  // namespace quintora::cli
