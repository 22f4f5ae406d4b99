#pragma once
// The league's calendar, kept in the league file: when match week 1 is
// played, how many days lie between match weeks, when matches start, and the
// weeks off. A week off is a date on which matches would fall; it and every
// later week move on by one interval, as leagues do over Christmas. Fixed in
// size, like the rest of the league.

#include <array>
#include <span>
#include <string>
#include <vector>

#include "base/date.h"

namespace quintora::league {

inline constexpr int default_every_days = 7;
inline constexpr int max_every_days = 365;
inline constexpr int max_weeks_off = 100;

struct Calendar {
  base::Date first;                     // date of match week 1
  int every_days = default_every_days;  // 1..365
  base::TimeOfDay start;                // local wall-clock time, 20:00 unless set
  std::array<base::Date, max_weeks_off> off{};
  int n_off = 0;  // weeks off in use, ascending

  std::span<const base::Date> weeks_off() const {
    return {off.data(), static_cast<std::size_t>(n_off < 0               ? 0
                                                 : n_off > max_weeks_off ? max_weeks_off
                                                                         : n_off)};
  }
  // Adds a week off in its place among the others; false when it is there
  // already or there is no room.
  bool add_week_off(base::Date date);
  // False when it was not a week off.
  bool remove_week_off(base::Date date);

  friend bool operator==(const Calendar& a, const Calendar& b);
};

// The dates of match weeks 1..weeks: first, first + every, ... with each
// week off passed over. Empty when weeks < 1 or every_days is out of range.
std::vector<base::Date> match_dates(const Calendar& calendar, int weeks);

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
  base::Date date;        // the offending week off, where there is one
  base::Date last_match;  // OffBeyondSeason: the season's last match date
};

// Checks a calendar; with season_weeks > 0 a week off must also fall within
// the season of that many match weeks.
CalendarCheck check_calendar(const Calendar& calendar, int season_weeks = 0);
// One sentence naming the value, for a message box or standard error.
std::string describe(const CalendarCheck& check, const Calendar& calendar);

}  // namespace quintora::league
