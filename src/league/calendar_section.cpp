#include "league/calendar_section.h"

#include <cstddef>

#include "base/date.h"

namespace quintora::league {

namespace {

// The weeks off are kept as listed: the check that follows names repeats.
bool read_values(SectionValues& values, Calendar& calendar) {
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
  if (!values.number("number of weeks off", 0, max_weeks_off, count)) return false;
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

bool read_calendar_section(SectionValues& values, League& league) {
  league.calendar.reset();
  Calendar calendar;
  if (!read_values(values, calendar)) return false;
  const CalendarCheck check = check_calendar(calendar);
  if (check.problem != CalendarProblem::None) return values.fail(describe(check, calendar));
  // Kept in order, whatever order a hand-edited file listed them in.
  Calendar ordered = calendar;
  ordered.n_off = 0;
  for (const base::Date& off : calendar.weeks_off()) ordered.add_week_off(off);
  league.calendar = ordered;
  return true;
}

}  // namespace quintora::league
