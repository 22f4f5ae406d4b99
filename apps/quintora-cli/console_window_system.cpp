#include "console_window_system.h"

#include "base/text.h"

namespace quintora::cli {

namespace {

// Texts of messages carry names from the league file, which may hold escape
// sequences that retitle or clear a terminal: every control character is
// shown escaped. The line breaks are the program's own (the league reader
// splits lines at them, so no name holds one) and stay.
void write_escaped(std::ostream& out, std::string_view text) {
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    out << base::escape_control_characters(text.substr(start, end - start));
    if (end == std::string_view::npos) return;
    out << '\n';
    start = end + 1;
  }
}

}  // namespace

base::Answer ConsoleWindowSystem::message_box(std::string_view text, std::string_view caption, base::Icon,
                                              base::Buttons buttons) {
  write_escaped(messages_, caption);
  messages_ << ": ";
  write_escaped(messages_, text);
  messages_ << '\n' << std::flush;
  return buttons == base::Buttons::YesNoCancel ? base::Answer::Yes : base::Answer::Ok;
}

}  // namespace quintora::cli
