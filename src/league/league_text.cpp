#include "league/league_text.h"

#include <charconv>
#include <utility>

namespace quintora {

namespace {

constexpr int end_of_input = std::char_traits<char>::eof();

bool is_white(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

bool LeagueTextReader::read_line(std::string& text) {
  text.clear();
  bool any = false;
  bool ended_by_lf = false;
  std::size_t length = 0;
  for (int c = in_.get(); c != end_of_input; c = in_.get()) {
    any = true;
    if (c == '\n') {
      ended_by_lf = true;
      break;
    }
    if (text.size() < line_keep) text.push_back(static_cast<char>(c));
    ++length;
  }
  if (ended_by_lf && length == text.size() && !text.empty() && text.back() == '\r') text.pop_back();
  return any;
}

void LeagueTextReader::skip_line() {
  for (int c = in_.get(); c != end_of_input && c != '\n'; c = in_.get()) {
  }
}

bool LeagueTextReader::read_name(std::string& text) {
  while (in_.peek() == ' ') in_.get();
  return read_line(text);
}

LeagueTextReader::Token LeagueTextReader::read_number(std::int32_t& value, bool& crossed_line) {
  crossed_line = false;
  int c = in_.peek();
  while (c != end_of_input && is_white(c)) {
    if (c == '\n') crossed_line = true;
    in_.get();
    c = in_.peek();
  }
  if (c == end_of_input) return Token::End;
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    in_.get();
    c = in_.peek();
  }
  if (c < '0' || c > '9') return c == end_of_input ? Token::End : Token::NotNumber;
  std::int64_t magnitude = 0;
  bool too_large = false;
  while (c >= '0' && c <= '9') {
    if (!too_large) {
      magnitude = magnitude * 10 + (c - '0');
      too_large = magnitude > std::int64_t{2147483648};
    }
    in_.get();
    c = in_.peek();
  }
  const std::int64_t signed_value = negative ? -magnitude : magnitude;
  if (too_large || signed_value > INT32_MAX || signed_value < INT32_MIN) return Token::NotNumber;
  value = static_cast<std::int32_t>(signed_value);
  return Token::Number;
}

NumberGroup LeagueTextReader::read_numbers(std::int32_t* values, int count) {
  NumberGroup group;
  for (int i = 0; i < count; ++i) {
    bool crossed_line = false;
    const Token token = read_number(values[i], crossed_line);
    if (token == Token::End) {
      group.status = NumberStatus::End;
      return group;
    }
    if (token == Token::NotNumber) {
      group.status = NumberStatus::NotNumber;
      // Text on the number line itself is passed over with that line; text
      // after a number line that ended early is the name line that follows.
      if (!crossed_line) skip_line();
      return group;
    }
    ++group.read;
  }
  skip_line();
  return group;
}

void LeagueTextWriter::line(std::string_view text) {
  for (char c : text) text_.push_back(c == '\r' || c == '\n' ? ' ' : c);
  text_ += "\r\n";
}

void LeagueTextWriter::numbers(std::initializer_list<std::int32_t> values) {
  bool first = true;
  for (std::int32_t v : values) {
    if (!first) text_ += "  ";
    first = false;
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    text_.append(buffer, result.ptr);
  }
  text_ += "\r\n";
}

}  // namespace quintora
