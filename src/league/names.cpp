#include "league/names.h"

#include <cstddef>

#include "league/league_details.h"

namespace quintora::league {

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

base::Notice refusal(std::string_view message) { return {std::string(message), base::caption::sorry}; }

}  // namespace

std::optional<base::Notice> validate_name(const League& league, std::string& text, NameKind kind) {
  trim_trailing_blanks(text);
  trim_leading_blanks(text);
  if (text.empty()) return refusal("Not a valid name.");
  // Deleted entries take no part, so a freed name can be used again at once.
  if (kind == NameKind::Bar) {
    if (find_bar(league, text) != no_position) return refusal("Bar name is already used.");
  } else if (kind == NameKind::Division) {
    if (find_division(league, text) != 0) return refusal("Division name is already used.");
  } else {
    if (find_team(league, text) != no_position) return refusal("Team name is already used.");
  }
  return std::nullopt;
}

}  // namespace quintora::league
