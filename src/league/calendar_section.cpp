#include "league/calendar_section.h"

#include <cstddef>

#include "base/date.h"
#include "base/numbers.h"

namespace quintora::league {

namespace {

// The section's lines one by one, each with its number in the file and
// without its line end or surrounding blanks.
class Lines {
 public:
  Lines(std::string_view text, int first_line) : text_(text), number_(first_line - 1) {}

  bool next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t end = text_.find('\n', pos_);
    line = text_.substr(pos_, (end == std::string_view::npos ? text_.size() : end) - pos_);
    pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++number_;
    while (!line.empty() && base::is_white(line.back())) line.remove_suffix(1);
    while (!line.empty() && base::is_white(line.front())) line.remove_prefix(1);
    return true;
  }
  // The next line that is not blank; false at the end.
  bool next_filled(std::string_view& line) {
    while (next(line)) {
      if (!line.empty()) return true;
    }
    return false;
  }
  int number() const { return number_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int number_;
};

std::string at_line(int number, const std::string& why) {
  return "line " + std::to_string(number) + ": " + why;
}

std::string quoted(std::string_view text) {
  std::string out(1, '"');
  out += text.substr(0, 40);
  out += '"';
  return out;
}

// The section's values, one a line, in the order of the header. Each step
// returns false once it has noted the first problem, naming its line.
class Values {
 public:
  Values(Lines& lines, std::string& problem) : lines_(lines), problem_(problem) {}

  // The next line as the value `what`.
  bool next(const char* what, std::string_view& text) {
    const bool got = lines_.next(text);
    if (got && !text.empty()) return true;
    // At the end of the file, the line the value should have been on.
    problem_ = at_line(lines_.number() + (got ? 0 : 1), std::string("the calendar ends before its ") + what);
    return false;
  }
  // Notes that `text`, just read, is not `expected`.
  bool refuse(std::string_view text, const std::string& expected) {
    problem_ = at_line(lines_.number(), quoted(text) + " is not " + expected);
    return false;
  }

 private:
  Lines& lines_;
  std::string& problem_;
};

bool parse_number(std::string_view text, int low, int high, int& result) {
  if (!base::is_whole_integer(text) || text.size() > 6) return false;
  const int n = base::parse_leading_integer(text, -1, high + 1);
  if (n < low || n > high) return false;
  result = n;
  return true;
}

// The weeks off are kept as listed: the check that follows names repeats.
bool read_values(Values& values, Calendar& calendar) {
  std::string_view text;
  if (!values.next("first match date", text)) return false;
  const auto first = base::parse_iso_date(text);
  if (!first) return values.refuse(text, "a first match date of the form YYYY-MM-DD");
  calendar.first = *first;
  if (!values.next("days between match weeks", text)) return false;
  if (!parse_number(text, 1, max_every_days, calendar.every_days)) {
    return values.refuse(text, "a number of days from 1 to 365");
  }
  if (!values.next("start time", text)) return false;
  const auto start = base::parse_time(text);
  if (!start) return values.refuse(text, "a start time of the form HH:MM");
  calendar.start = *start;
  int count = 0;
  if (!values.next("number of weeks off", text)) return false;
  if (!parse_number(text, 0, max_weeks_off, count)) {
    return values.refuse(text, "a number of weeks off from 0 to " + std::to_string(max_weeks_off));
  }
  for (int k = 0; k < count; ++k) {
    if (!values.next("weeks off", text)) return false;
    const auto off = base::parse_iso_date(text);
    if (!off) return values.refuse(text, "a week off of the form YYYY-MM-DD");
    calendar.off[static_cast<std::size_t>(k)] = *off;
    calendar.n_off = k + 1;
  }
  return true;
}

}  // namespace

std::string calendar_section_text(const Calendar& calendar) {
  std::string out;
  const auto line = [&out](std::string_view text) {
    out += text;
    out += "\r\n";
  };
  line(calendar_header);
  line(base::format_iso_date(calendar.first));
  line(std::to_string(calendar.every_days));
  line(base::format_time(calendar.start));
  line(std::to_string(calendar.weeks_off().size()));
  for (const base::Date& off : calendar.weeks_off()) line(base::format_iso_date(off));
  return out;
}

CalendarSection read_calendar_section(std::string_view rest, int first_line) {
  CalendarSection section;
  Lines lines(rest, first_line);
  std::string_view line;
  if (!lines.next_filled(line)) return section;
  if (!line.starts_with("<< CALENDAR")) {
    section.problem = at_line(lines.number(), "a section this program does not know begins here");
    return section;
  }
  Calendar calendar;
  Values values(lines, section.problem);
  if (!read_values(values, calendar)) return section;
  const CalendarCheck check = check_calendar(calendar);
  if (check.problem != CalendarProblem::None) {
    section.problem = at_line(lines.number(), describe(check, calendar));
    return section;
  }
  // Kept in order, whatever order a hand-edited file listed them in.
  Calendar ordered = calendar;
  ordered.n_off = 0;
  for (const base::Date& off : calendar.weeks_off()) ordered.add_week_off(off);
  section.calendar = ordered;
  if (lines.next_filled(line)) {
    section.problem = at_line(lines.number(), "a section this program does not know begins here");
  }
  return section;
}

}  // namespace quintora::league
