// The league's calendar: match dates with weeks off, and every problem a
// hand-edited or typed calendar can have, named.

#include "league/calendar.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/calendar_builder.h"

namespace quintora {
namespace {

using base::Date;
using test::calendar;

TEST(Calendar, WeeksOffMoveEveryLaterWeek) {
  const std::vector<Date> weekly = {{2024, 12, 3}, {2024, 12, 10}, {2024, 12, 17}, {2024, 12, 24}};
  EXPECT_EQ(match_dates(calendar({2024, 12, 3}), 4), weekly);
  // Christmas and New Year's Eve off: week 4 moves two weeks on, the season keeps its weeks.
  EXPECT_EQ(match_dates(calendar({2024, 12, 3}, {{2024, 12, 24}, {2024, 12, 31}}), 6),
            (std::vector<Date>{
                {2024, 12, 3}, {2024, 12, 10}, {2024, 12, 17}, {2025, 1, 7}, {2025, 1, 14}, {2025, 1, 21}}));
  // The order of the weeks off does not matter; one off the grid or after the season changes nothing.
  EXPECT_EQ(match_dates(calendar({2024, 12, 3}, {{2024, 12, 31}, {2024, 12, 24}}), 6),
            match_dates(calendar({2024, 12, 3}, {{2024, 12, 24}, {2024, 12, 31}}), 6));
  EXPECT_EQ(match_dates(calendar({2024, 12, 3}, {{2024, 12, 25}, {2025, 6, 3}}), 4), weekly);
  // A week off on the first date moves the whole season.
  EXPECT_EQ(match_dates(calendar({2024, 12, 3}, {{2024, 12, 3}}), 1), (std::vector<Date>{{2024, 12, 10}}));
  // Fortnightly over a leap day, daily over a month end.
  EXPECT_EQ(match_dates(calendar({2024, 2, 15}, {}, 14), 3),
            (std::vector<Date>{{2024, 2, 15}, {2024, 2, 29}, {2024, 3, 14}}));
  EXPECT_EQ(match_dates(calendar({2023, 12, 30}, {{2023, 12, 31}}, 1), 3),
            (std::vector<Date>{{2023, 12, 30}, {2024, 1, 1}, {2024, 1, 2}}));
  EXPECT_TRUE(match_dates(calendar({2024, 1, 1}), 0).empty());
  EXPECT_TRUE(match_dates(calendar({2024, 1, 1}, {}, 0), 3).empty());
  EXPECT_TRUE(match_dates(calendar({2024, 1, 1}, {}, 366), 3).empty());
  EXPECT_EQ(match_dates(calendar({2024, 1, 1}, {}, 365), 200).size(), 200u);
}

TEST(Calendar, EveryProblemIsFoundAndNamed) {
  // The message names the problem found (each its own words).
  const std::tuple<league::Calendar, int, std::string> cases[] = {
      {calendar({2024, 2, 30}), 0,
       "The first match date 2024-02-30 is not a date between 1900-01-01 and 9999-12-31."},
      {calendar({2024, 9, 5}, {}, 7, {24, 0}), 0,
       "The start time 24:00 is not a time between 00:00 and 23:59."},
      {calendar({2024, 9, 5}, {}, 0), 0, "The days between match weeks must be from 1 to 365; 0 is not."},
      {calendar({2024, 9, 5}, {}, 366), 0, "The days between match weeks must be from 1 to 365; 366 is not."},
      {calendar({2024, 9, 5}, {{2024, 11, 31}}), 0,
       "The week off 2024-11-31 is not a date between 1900-01-01 and 9999-12-31."},
      {calendar({2024, 9, 5}, {{2024, 8, 29}}), 0,
       "The week off 2024-08-29 is before the first match date, 2024-09-05."},
      {calendar({2024, 9, 5}, {{2024, 12, 25}}), 0,
       "The week off 2024-12-25 is not a match date: matches fall every 7 days from Thursday 2024-09-05."},
      {calendar({2024, 9, 5}, {{2024, 9, 7}}, 1), 0, "The calendar is valid."},
      {calendar({2024, 9, 5}, {{2024, 12, 26}, {2024, 9, 12}, {2024, 12, 26}}), 0,
       "The week off 2024-12-26 is listed twice."},
      // Ten weeks from 09-05 with 09-12 off end on 11-14; 11-21 is past the season.
      {calendar({2024, 9, 5}, {{2024, 9, 12}, {2024, 11, 21}}), 10,
       "The week off 2024-11-21 is after the season's last match date, 2024-11-14."},
      {calendar({2024, 9, 5}, {{2024, 9, 12}, {2024, 11, 14}}), 10, "The calendar is valid."},
      {calendar({2024, 9, 5}, {{2024, 9, 12}, {2024, 11, 21}}), 0, "The calendar is valid."},
  };
  for (const auto& [c, weeks, message] : cases) EXPECT_EQ(describe(check_calendar(c, weeks), c), message);
}

TEST(Calendar, WeeksOffStayInOrderWithoutRepeats) {
  league::Calendar c = calendar({2024, 9, 5});
  for (const Date off : {Date{2024, 12, 26}, Date{2024, 10, 3}, Date{2024, 11, 7}})
    EXPECT_TRUE(c.add_week_off(off));
  EXPECT_FALSE(c.add_week_off({2024, 12, 26}));
  EXPECT_TRUE(c.remove_week_off({2024, 11, 7}));
  EXPECT_FALSE(c.remove_week_off({2024, 11, 7}));
  EXPECT_EQ(c, calendar({2024, 9, 5}, {{2024, 10, 3}, {2024, 12, 26}}));
  for (int k = c.n_off; k < league::max_weeks_off; ++k)
    EXPECT_TRUE(c.add_week_off(base::civil_from_days(base::days_from_civil({2030, 1, 1}) + 7 * k)));
  EXPECT_FALSE(c.add_week_off({2040, 1, 1}));  // full: refused, nothing written past the room
  EXPECT_EQ(c.n_off, league::max_weeks_off);
}

}  // namespace
}  // namespace quintora
