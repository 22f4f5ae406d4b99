#include "league/calendar.h"

#include <algorithm>
#include <cstdint>

namespace quintora::league {

bool Calendar::add_week_off(base::Date date) {
  const auto used = weeks_off();
  const auto place = std::lower_bound(used.begin(), used.end(), date);
  if ((place != used.end() && *place == date) || n_off >= max_weeks_off) return false;
  const auto at = static_cast<std::size_t>(place - used.begin());
  for (auto i = static_cast<std::size_t>(n_off); i > at; --i) off[i] = off[i - 1];
  off[at] = date;
  ++n_off;
  return true;
}

bool Calendar::remove_week_off(base::Date date) {
  const auto used = weeks_off();
  const auto place = std::find(used.begin(), used.end(), date);
  if (place == used.end()) return false;
  for (auto i = static_cast<std::size_t>(place - used.begin()); i + 1 < used.size(); ++i) off[i] = off[i + 1];
  --n_off;
  return true;
}

bool operator==(const Calendar& a, const Calendar& b) {
  return a.first == b.first && a.every_days == b.every_days && a.start == b.start &&
         std::ranges::equal(a.weeks_off(), b.weeks_off());
}

std::vector<base::Date> match_dates(const Calendar& calendar, int weeks) {
  std::vector<base::Date> dates;
  if (weeks < 1 || calendar.every_days < 1 || calendar.every_days > max_every_days) return dates;
  std::vector<std::int64_t> off;
  off.reserve(calendar.weeks_off().size());
  for (const base::Date& date : calendar.weeks_off()) off.push_back(base::days_from_civil(date));
  std::sort(off.begin(), off.end());
  dates.reserve(static_cast<std::size_t>(weeks));
  std::int64_t day = base::days_from_civil(calendar.first);
  auto next_off = off.begin();
  while (static_cast<int>(dates.size()) < weeks) {
    while (next_off != off.end() && *next_off < day) ++next_off;
    if (next_off != off.end() && *next_off == day) {
      ++next_off;  // a week off: this date passes, the week moves on by one interval
    } else {
      dates.push_back(base::civil_from_days(day));
    }
    day += calendar.every_days;
  }
  return dates;
}

CalendarCheck check_calendar(const Calendar& calendar, int season_weeks) {
  if (!base::is_valid(calendar.first)) return {CalendarProblem::FirstNotADate, calendar.first, {}};
  if (!base::is_valid(calendar.start)) return {CalendarProblem::TimeOutOfRange, {}, {}};
  if (calendar.every_days < 1 || calendar.every_days > max_every_days)
    return {CalendarProblem::EveryOutOfRange, {}, {}};
  const std::int64_t first = base::days_from_civil(calendar.first);
  for (const base::Date& off : calendar.weeks_off()) {
    if (!base::is_valid(off)) return {CalendarProblem::OffNotADate, off, {}};
    const std::int64_t day = base::days_from_civil(off);
    if (day < first) return {CalendarProblem::OffBeforeFirst, off, {}};
    if ((day - first) % calendar.every_days != 0) return {CalendarProblem::OffNotMatchDate, off, {}};
  }
  std::vector<base::Date> sorted(calendar.weeks_off().begin(), calendar.weeks_off().end());
  std::sort(sorted.begin(), sorted.end());
  if (const auto twice = std::adjacent_find(sorted.begin(), sorted.end()); twice != sorted.end())
    return {CalendarProblem::OffRepeated, *twice, {}};
  if (season_weeks > 0 && !sorted.empty()) {
    const base::Date last = match_dates(calendar, season_weeks).back();
    for (const base::Date& off : sorted) {
      if (off > last) return {CalendarProblem::OffBeyondSeason, off, last};
    }
  }
  return {};
}

std::string describe(const CalendarCheck& check, const Calendar& calendar) {
  const std::string off = base::format_iso_date(check.date);
  const std::string first = base::format_iso_date(calendar.first);
  switch (check.problem) {
    case CalendarProblem::None:
      return "The calendar is valid.";
    case CalendarProblem::FirstNotADate:
      return "The first match date " + first + " is not a date between 1900-01-01 and 9999-12-31.";
    case CalendarProblem::TimeOutOfRange:
      return "The start time " + base::format_time(calendar.start) +
             " is not a time between 00:00 and 23:59.";
    case CalendarProblem::EveryOutOfRange:
      return "The days between match weeks must be from 1 to " + std::to_string(max_every_days) + "; " +
             std::to_string(calendar.every_days) + " is not.";
    case CalendarProblem::OffNotADate:
      return "The week off " + off + " is not a date between 1900-01-01 and 9999-12-31.";
    case CalendarProblem::OffRepeated:
      return "The week off " + off + " is listed twice.";
    case CalendarProblem::OffBeforeFirst:
      return "The week off " + off + " is before the first match date, " + first + ".";
    case CalendarProblem::OffNotMatchDate:
      return "The week off " + off + " is not a match date: matches fall every " +
             std::to_string(calendar.every_days) + (calendar.every_days == 1 ? " day" : " days") + " from " +
             std::string(base::weekday_name(calendar.first)) + " " + first + ".";
    case CalendarProblem::OffBeyondSeason:
      return "The week off " + off + " is after the season's last match date, " +
             base::format_iso_date(check.last_match) + ".";
  }
  return "The calendar is not valid.";
}

}  // namespace quintora::league
