#include "console_window_system.h"

namespace quintora::cli {

ui::Answer ConsoleWindowSystem::message_box(std::string_view text, std::string_view caption, ui::Icon,
                                            ui::Buttons buttons) {
  messages_ << caption << ": " << text << '\n' << std::flush;
  return buttons == ui::Buttons::YesNoCancel ? ui::Answer::Yes : ui::Answer::Ok;
}

}  // namespace quintora::cli
