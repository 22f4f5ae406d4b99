#pragma once
// Days of the proleptic Gregorian calendar and times of day: arithmetic,
// the strict ISO forms the league file and the command line use, and
// weekday names. No time zones: a match starts at a local wall-clock time.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quintora::base {

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

// Days since 1970-01-01 (negative before), and back.
std::int64_t days_from_civil(Date date);
Date civil_from_days(std::int64_t days);
// 0 Monday .. 6 Sunday.
int weekday(Date date);
// "Monday" .. "Sunday".
std::string_view weekday_name(Date date);

// A real day of the years 1900..9999, the range every date of a calendar keeps to.
bool is_valid(Date date);
bool is_valid(TimeOfDay time);

// Strict forms: "YYYY-MM-DD" (a real date, years 1900..9999) and "HH:MM"
// (24-hour, two digits each). Anything else gives nothing.
std::optional<Date> parse_iso_date(std::string_view text);
std::optional<TimeOfDay> parse_time(std::string_view text);
std::string format_iso_date(Date date);   // YYYY-MM-DD
std::string format_time(TimeOfDay time);  // HH:MM

}  // namespace quintora::base
