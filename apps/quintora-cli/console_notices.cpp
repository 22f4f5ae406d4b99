#include "console_notices.h"

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

void print(std::ostream& out, const base::Notice& notice) {
  write_escaped(out, notice.caption);
  out << ": ";
  write_escaped(out, notice.text);
  out << '\n' << std::flush;
}

void print(std::ostream& out, const base::Notices& notices) {
  for (const base::Notice& notice : notices) print(out, notice);
}

}  // namespace quintora::cli
