#include "league/section_lines.h"

#include "base/numbers.h"

namespace quintora::league {

bool SectionLines::next(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  const std::size_t end = text_.find('\n', pos_);
  line = text_.substr(pos_, (end == std::string_view::npos ? text_.size() : end) - pos_);
  pos_ = end == std::string_view::npos ? text_.size() : end + 1;
  ++number_;
  while (!line.empty() && base::is_white(line.back())) line.remove_suffix(1);
  while (!line.empty() && base::is_white(line.front())) line.remove_prefix(1);
  return true;
}

bool SectionLines::next_filled(std::string_view& line) {
  while (next(line)) {
    if (!line.empty()) return true;
  }
  return false;
}

std::string at_line(int number, const std::string& why) {
  return "line " + std::to_string(number) + ": " + why;
}

std::string quoted(std::string_view text) {
  std::string out(1, '"');
  out += text.substr(0, 40);
  out += '"';
  return out;
}

bool parse_number(std::string_view text, int low, int high, int& result) {
  if (!base::is_whole_integer(text) || text.size() > 6) return false;
  const int n = base::parse_leading_integer(text, -1, high + 1);
  if (n < low || n > high) return false;
  result = n;
  return true;
}

bool SectionValues::ended(const char* what, bool got) {
  // At the end of the file, the line the value should have been on.
  problem_ = at_line(lines_.number() + (got ? 0 : 1), std::string(section_) + " ends before its " + what);
  return false;
}

bool SectionValues::next(const char* what, std::string_view& text) {
  const bool got = lines_.next(text);
  if (got && !text.empty()) return true;
  return ended(what, got);
}

bool SectionValues::next_or_empty(const char* what, std::string_view& text) {
  if (lines_.next(text)) return true;
  return ended(what, false);
}

bool SectionValues::number(const char* what, int low, int high, int& result) {
  std::string_view text;
  if (!next(what, text)) return false;
  if (parse_number(text, low, high, result)) return true;
  return refuse(text,
                std::string("a ") + what + " from " + std::to_string(low) + " to " + std::to_string(high));
}

bool SectionValues::refuse(std::string_view text, const std::string& expected) {
  problem_ = at_line(lines_.number(), quoted(text) + " is not " + expected);
  return false;
}

bool SectionValues::fail(const std::string& why) {
  problem_ = at_line(lines_.number(), why);
  return false;
}

}  // namespace quintora::league
