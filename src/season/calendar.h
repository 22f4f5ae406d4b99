#pragma once
// The league's calendar: when the first match week is played, how many days
// lie between match weeks, when matches start, and the weeks off. A week off
// is a date on which matches would fall; it and every later week move on by
// one interval, as leagues do over Christmas.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quintora::season {

// A day of the proleptic Gregorian calendar.
struct Date {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  friend auto operator<=>(const Date&, const Date&) = default;
};

struct TimeOfDay {
  int hour = 20;   // 0..23
  int minute = 0;  // 0..59
  friend auto operator<=>(const TimeOfDay&, const TimeOfDay&) = default;
};

inline constexpr int default_every_days = 7;
inline constexpr int max_every_days = 365;

struct Calendar {
  Date first;                           // date of match week 1
  int every_days = default_every_days;  // 1..365
  TimeOfDay start;                      // local wall-clock time
  std::vector<Date> weeks_off;          // kept ascending; match_dates does not rely on the order
  friend bool operator==(const Calendar&, const Calendar&) = default;
};

// Days since 1970-01-01 (negative before), and back.
std::int64_t days_from_civil(Date date);
Date civil_from_days(std::int64_t days);
Date add_days(Date date, std::int64_t days);
// 0 Monday .. 6 Sunday.
int weekday(Date date);
// "Monday" .. "Sunday".
std::string_view weekday_name(Date date);

// Strict forms: "YYYY-MM-DD" (a real date, years 1900..9999) and "HH:MM"
// (24-hour, two digits each). Anything else gives nothing.
std::optional<Date> parse_iso_date(std::string_view text);
std::optional<TimeOfDay> parse_time(std::string_view text);
std::string format_iso_date(Date date);   // YYYY-MM-DD
std::string format_time(TimeOfDay time);  // HH:MM

// A real day of the years 1900..9999, the range every date of a calendar keeps to.
bool is_valid(Date date);

// The dates of match weeks 1..weeks: first, first + every, ... with each
// week off passed over. Empty when weeks < 1 or every_days is out of range.
std::vector<Date> match_dates(const Calendar& calendar, int weeks);

enum class CalendarProblem {
  None,
  FirstNotADate,    // the first date is not a real day of 1900..9999
  TimeOutOfRange,   // start not within 00:00..23:59
  EveryOutOfRange,  // every_days not within 1..365
  OffNotADate,      // a week off that is not a real day of 1900..9999
  OffRepeated,      // a week off listed twice
  OffBeforeFirst,   // a week off before the first date
  OffNotMatchDate,  // a week off that is not first + k * every
  OffBeyondSeason,  // a week off after the season's last match date (only when weeks > 0 is given)
};

struct CalendarCheck {
  CalendarProblem problem = CalendarProblem::None;
  Date date;        // the offending week off, where there is one
  Date last_match;  // OffBeyondSeason: the season's last match date
};

// Checks a calendar; with season_weeks > 0 a week off must also fall within
// the season of that many match weeks.
CalendarCheck check_calendar(const Calendar& calendar, int season_weeks = 0);
// One sentence naming the value, for a message box or standard error.
std::string describe(const CalendarCheck& check, const Calendar& calendar);

}  // namespace quintora::season
