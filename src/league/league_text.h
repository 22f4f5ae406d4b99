#pragma once
// Line and number I/O of the league file's text. Lines end in CR LF or a
// bare LF on reading and always in CR LF on writing; lines are handed over
// as the bytes of the file.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quintora::league {

enum class NumberStatus { Read, NotNumber, End };

struct NumberGroup {
  NumberStatus status = NumberStatus::Read;
  int read = 0;  // values read before the group ended
};

class LeagueTextReader {
 public:
  // Bytes of a line that are kept (never cutting a UTF-8 character); the
  // fields take far less, the rest of an overlong line is passed over.
  static constexpr std::size_t line_keep = 1024;

  explicit LeagueTextReader(std::string_view text) : text_(text) {}

  // Reads the rest of the current line, line end removed (CR LF or LF; a CR
  // not followed by LF belongs to the text). False at the end of the text
  // when nothing was left to read.
  bool read_line(std::string& line);

  // A name line: every white space before it is passed over (blanks, tabs,
  // line ends, empty lines), as every reader of the format does, so a name
  // starts at its first character that is not white space.
  bool read_name(std::string& line);

  // Reads count decimal integers separated by any white space, then passes
  // over the rest of the last number's line. A value that is not a number
  // (or does not fit 32 bits) ends the group: values[] keeps what it held
  // from there on. End: the text ended before the group did.
  NumberGroup read_numbers(std::int32_t* values, int count);

  // What is left to read, and the number in the text (from 1) of the line it begins on.
  std::string_view rest() const { return text_.substr(pos_); }
  int line_number() const;

 private:
  enum class Token { Number, NotNumber, End };
  Token read_number(std::int32_t& value, bool& crossed_line);
  void skip_line();

  std::string_view text_;
  std::size_t pos_ = 0;
};

// Builds the file text: each line ends in CR LF whatever the platform.
class LeagueTextWriter {
 public:
  // A line break inside a text would split it over two lines of the file
  // and shift every line after it, so it is written as a blank.
  void line(std::string_view text);
  // Numbers separated by two blanks, as "%d  %d  %d".
  void numbers(std::initializer_list<std::int32_t> values);
  std::string take() { return std::move(text_); }

 private:
  std::string text_;
};

}  // namespace quintora::league
