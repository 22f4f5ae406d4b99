#include "league/league_text.h"

#include <charconv>
#include <utility>

#include "base/numbers.h"
#include "base/text.h"

namespace quintora::league {

bool LeagueTextReader::read_line(std::string& line) {
  line.clear();
  if (pos_ >= text_.size()) return false;
  const std::size_t end = text_.find('\n', pos_);
  const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
  std::string_view content = text_.substr(pos_, stop - pos_);
  pos_ = end == std::string_view::npos ? text_.size() : end + 1;
  // A CR belongs to the line end only right before its LF, and only when
  // the line was not cut to its kept length.
  const bool cut = content.size() > line_keep;
  if (end != std::string_view::npos && !cut && !content.empty() && content.back() == '\r')
    content.remove_suffix(1);
  line.assign(content.substr(0, base::fitting_length(content, line_keep)));
  return true;
}

int LeagueTextReader::line_number() const {
  int lines = 1;
  for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i) lines += text_[i] == '\n' ? 1 : 0;
  return lines;
}

void LeagueTextReader::skip_line() {
  const std::size_t end = text_.find('\n', pos_);
  pos_ = end == std::string_view::npos ? text_.size() : end + 1;
}

bool LeagueTextReader::read_name(std::string& line) {
  pos_ = base::skip_white(text_, pos_);
  return read_line(line);
}

LeagueTextReader::Token LeagueTextReader::read_number(std::int32_t& value, bool& crossed_line) {
  const std::size_t start = base::skip_white(text_, pos_);
  crossed_line = text_.substr(pos_, start - pos_).find('\n') != std::string_view::npos;
  pos_ = start;
  if (pos_ >= text_.size()) return Token::End;
  const base::ScannedInteger number = base::scan_integer(text_, pos_);
  if (!number.found) {
    const bool sign_only = (text_[pos_] == '+' || text_[pos_] == '-') && pos_ + 1 == text_.size();
    return sign_only ? Token::End : Token::NotNumber;
  }
  pos_ = number.end;
  if (number.too_large || number.value > INT32_MAX || number.value < INT32_MIN) return Token::NotNumber;
  value = static_cast<std::int32_t>(number.value);
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

}  // namespace quintora::league
