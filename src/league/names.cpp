#include "league/names.h"

#include <cstddef>

#include "base/messages.h"

namespace quintora {

std::string& trim_trailing_blanks(std::string& text) {
  const std::size_t end = text.find_last_not_of(' ');
  text.erase(end == std::string::npos ? 0 : end + 1);
  return text;
}

std::string& trim_leading_blanks(std::string& text) {
  const std::size_t start = text.find_first_not_of(' ');
  text.erase(0, start == std::string::npos ? text.size() : start);
  return text;
}

namespace {

int refuse(base::WindowSystem& ws, std::string_view message) {
  ws.message_box(message, base::caption::sorry, base::Icon::Error, base::Buttons::Ok);
  return 0;
}

}  // namespace

int validate_name(const League& league, std::string& text, NameKind kind, base::WindowSystem& ws) {
  trim_trailing_blanks(text);
  trim_leading_blanks(text);
  if (text.empty()) return refuse(ws, "Not a valid name.");
  // Deleted entries take no part, so a freed name can be used again at once.
  if (kind == NameKind::Bar) {
    if (find_bar(league, text) != no_position) return refuse(ws, "Bar name is already used.");
  } else {
    if (find_team(league, text) != no_position) return refuse(ws, "Team name is already used.");
  }
  return 1;
}

}  // namespace quintora
