#include "base/date.h"

#include <array>
#include <cstddef>

namespace quintora::base {

namespace {

constexpr int min_year = 1900;
constexpr int max_year = 9999;

constexpr bool is_leap(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

constexpr int days_in_month(int year, int month) {
  constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && is_leap(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

// The value of `count` decimal digits at the start of `text`, or -1 when any is not a digit.
int digits(std::string_view text, std::size_t count) {
  if (text.size() < count) return -1;
  int value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// Zero-padded to `width` places; a negative number keeps its sign in front.
void append_padded(std::string& out, int value, int width) {
  std::string text = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
  if (value < 0) out += '-';
  for (auto n = static_cast<int>(text.size()); n < width; ++n) out += '0';
  out += text;
}

}  // namespace

// Howard Hinnant's algorithms: eras of 400 years (146097 days) counted from
// 0000-03-01, so the leap day is the last day of each computed year.
std::int64_t days_from_civil(Date date) {
  const std::int64_t y = static_cast<std::int64_t>(date.year) - (date.month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;                          // [0, 399]
  const std::int64_t mp = (date.month + 9) % 12;                   // March is 0
  const std::int64_t doy = (153 * mp + 2) / 5 + date.day - 1;      // [0, 365]
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;  // [0, 146096]
  return era * 146097 + doe - 719468;
}

Date civil_from_days(std::int64_t days) {
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;                                       // [0, 146096]
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                // [0, 365]
  const std::int64_t mp = (5 * doy + 2) / 153;                                     // [0, 11]
  const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;                           // [1, 31]
  const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;                            // [1, 12]
  const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  return Date{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

int weekday(Date date) {
  // 1970-01-01 was a Thursday (3 counting from Monday).
  const std::int64_t days = days_from_civil(date);
  return static_cast<int>(((days % 7) + 7 + 3) % 7);
}

std::string_view weekday_name(Date date) {
  static constexpr std::array<std::string_view, 7> names = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                            "Friday", "Saturday", "Sunday"};
  return names[static_cast<std::size_t>(weekday(date))];
}

bool is_valid(Date date) {
  return date.year >= min_year && date.year <= max_year && date.month >= 1 && date.month <= 12 &&
         date.day >= 1 && date.day <= days_in_month(date.year, date.month);
}

bool is_valid(TimeOfDay time) {
  return time.hour >= 0 && time.hour <= 23 && time.minute >= 0 && time.minute <= 59;
}

std::optional<Date> parse_iso_date(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const Date date{digits(text, 4), digits(text.substr(5), 2), digits(text.substr(8), 2)};
  if (!is_valid(date)) return std::nullopt;
  return date;
}

std::optional<TimeOfDay> parse_time(std::string_view text) {
  if (text.size() != 5 || text[2] != ':') return std::nullopt;
  const TimeOfDay time{digits(text, 2), digits(text.substr(3), 2)};
  if (!is_valid(time)) return std::nullopt;
  return time;
}

std::string format_iso_date(Date date) {
  std::string out;
  append_padded(out, date.year, 4);
  out += '-';
  append_padded(out, date.month, 2);
  out += '-';
  append_padded(out, date.day, 2);
  return out;
}

std::string format_time(TimeOfDay time) {
  std::string out;
  append_padded(out, time.hour, 2);
  out += ':';
  append_padded(out, time.minute, 2);
  return out;
}

}  // namespace quintora::base
