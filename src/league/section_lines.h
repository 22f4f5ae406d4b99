#pragma once
// What the optional sections after the team list share: their lines one by
// one, each with its number in the file, and their values one a line in the
// order of the header, each step naming the line of the first problem.

#include <cstddef>
#include <string>
#include <string_view>

namespace quintora::league {

// Lines without their line end or surrounding blanks.
class SectionLines {
 public:
  SectionLines(std::string_view text, int first_line) : text_(text), number_(first_line - 1) {}

  bool next(std::string_view& line);
  // The next line that is not blank; false at the end.
  bool next_filled(std::string_view& line);
  int number() const { return number_; }

  // Where reading stands, to come back to it.
  struct Mark {
    std::size_t pos = 0;
    int number = 0;
  };
  Mark mark() const { return {pos_, number_}; }
  void go_back(Mark m) {
    pos_ = m.pos;
    number_ = m.number;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int number_;
};

// "line N: why"
std::string at_line(int number, const std::string& why);
// The text in double quotes, cut to 40 bytes.
std::string quoted(std::string_view text);
// A decimal number of at most six characters within low..high.
bool parse_number(std::string_view text, int low, int high, int& result);

// A section header: "<<" at the start of its line.
inline bool is_header(std::string_view line) { return line.starts_with("<<"); }

// One section's values. Each step returns false once it has noted the first
// problem in `problem`, naming its line.
class SectionValues {
 public:
  // `section` names it in a problem: "the calendar", "the venues".
  SectionValues(SectionLines& lines, std::string_view section, std::string& problem)
      : lines_(lines), section_(section), problem_(problem) {}

  // The next line as the value `what`; it must not be blank.
  bool next(const char* what, std::string_view& text);
  // The next line as the value `what`; a blank line is an empty value.
  bool next_or_empty(const char* what, std::string_view& text);
  // The next line as a number from low to high.
  bool number(const char* what, int low, int high, int& result);
  // Notes that `text`, just read, is not `expected`.
  bool refuse(std::string_view text, const std::string& expected);
  // Notes a problem of the line just read.
  bool fail(const std::string& why);

 private:
  bool ended(const char* what, bool got);

  SectionLines& lines_;
  std::string_view section_;
  std::string& problem_;
};

}  // namespace quintora::league
