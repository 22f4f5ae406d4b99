#include "season/calendar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "season/season.h"
#include "season_builder.h"

namespace quintora::season {
namespace {

TEST(Calendar, CivilDaysAgreeWithCountingDayByDay) {
  // Walk every day from 1899-12-31 to 2401-01-01, counting by hand with the
  // month lengths and the Gregorian leap rule (1900 and 2100 not leap, 2000 and 2400 leap).
  Date expected{1899, 12, 31};
  const std::int64_t start = days_from_civil(expected);
  EXPECT_EQ(start, -25568);
  int weekday_expected = 6;  // a Sunday
  for (std::int64_t n = start; n <= days_from_civil({2401, 1, 1}); ++n) {
    ASSERT_EQ(civil_from_days(n), expected) << n;
    ASSERT_EQ(days_from_civil(expected), n);
    ASSERT_EQ(weekday(expected), weekday_expected);
    const bool leap = expected.year % 4 == 0 && (expected.year % 100 != 0 || expected.year % 400 == 0);
    const int lengths[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (++expected.day > lengths[expected.month - 1]) {
      expected.day = 1;
      if (++expected.month > 12) {
        expected.month = 1;
        ++expected.year;
      }
    }
    weekday_expected = (weekday_expected + 1) % 7;
  }
  EXPECT_EQ(days_from_civil({1970, 1, 1}), 0);
  EXPECT_EQ(civil_from_days(-719468), (Date{0, 3, 1}));  // the algorithm's epoch
  EXPECT_EQ(civil_from_days(2932896), (Date{9999, 12, 31}));
  EXPECT_EQ(add_days({2025, 1, 1}, -1), (Date{2024, 12, 31}));
  EXPECT_EQ(add_days({2023, 3, 1}, -366), (Date{2022, 2, 28}));
  EXPECT_EQ(weekday_name({2024, 2, 29}), "Thursday");
  EXPECT_EQ(weekday_name({1969, 12, 28}), "Sunday");
}

TEST(Calendar, StrictDateAndTimeText) {
  for (const char* good : {"2024-02-29", "2000-02-29", "1900-01-01", "9999-12-31", "2025-04-30"}) {
    const auto date = parse_iso_date(good);
    ASSERT_TRUE(date) << good;
    EXPECT_EQ(format_iso_date(*date), good);
  }
  for (const char* bad : {"2023-02-29", "2100-02-29", "2024-04-31", "2024-13-01", "2024-00-10", "2024-01-00",
                          "2024-4-01", "2024-04-1", " 2024-04-01", "2024-04-01 ", "2024/04/01", "1899-12-31",
                          "10000-01-01", "", "2024-04-0a", "+024-04-01", "2024-04-01\n", "20240401"}) {
    EXPECT_FALSE(parse_iso_date(bad)) << '"' << bad << '"';
  }
  for (const char* good : {"20:00", "00:00", "23:59", "07:05"}) {
    const auto time = parse_time(good);
    ASSERT_TRUE(time) << good;
    EXPECT_EQ(format_time(*time), good);
  }
  for (const char* bad : {"24:00", "7:30", "07:60", "07:5", "0730", "07:30:00", "-1:00", " 07:30", "07.30",
                          "", "ab:cd", "07:3x"}) {
    EXPECT_FALSE(parse_time(bad)) << '"' << bad << '"';
  }
  EXPECT_EQ(format_iso_date({987, 3, 4}), "0987-03-04");
}

TEST(Calendar, WeeksOffMoveEveryLaterWeek) {
  using test::calendar;
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
  using test::calendar;
  struct Case {
    Calendar calendar;
    int weeks;
    CalendarProblem problem;
    std::string message;
  };
  const std::vector<Case> cases = {
      {calendar({2024, 9, 5}, {{2024, 12, 26}}), 20, CalendarProblem::None, "The calendar is valid."},
      {calendar({2024, 2, 30}), 0, CalendarProblem::FirstNotADate,
       "The first match date 2024-02-30 is not a date between 1900-01-01 and 9999-12-31."},
      {calendar({1899, 12, 31}), 0, CalendarProblem::FirstNotADate,
       "The first match date 1899-12-31 is not a date between 1900-01-01 and 9999-12-31."},
      {calendar({2024, 9, 5}, {}, 7, {24, 0}), 0, CalendarProblem::TimeOutOfRange,
       "The start time 24:00 is not a time between 00:00 and 23:59."},
      {calendar({2024, 9, 5}, {}, 7, {20, -1}), 0, CalendarProblem::TimeOutOfRange,
       "The start time 20:-01 is not a time between 00:00 and 23:59."},
      {calendar({2024, 9, 5}, {}, 0), 0, CalendarProblem::EveryOutOfRange,
       "The days between match weeks must be from 1 to 365; 0 is not."},
      {calendar({2024, 9, 5}, {}, 366), 0, CalendarProblem::EveryOutOfRange,
       "The days between match weeks must be from 1 to 365; 366 is not."},
      {calendar({2024, 9, 5}, {{2024, 11, 31}}), 0, CalendarProblem::OffNotADate,
       "The week off 2024-11-31 is not a date between 1900-01-01 and 9999-12-31."},
      {calendar({2024, 9, 5}, {{2024, 8, 29}}), 0, CalendarProblem::OffBeforeFirst,
       "The week off 2024-08-29 is before the first match date, 2024-09-05."},
      {calendar({2024, 9, 5}, {{2024, 12, 25}}), 0, CalendarProblem::OffNotMatchDate,
       "The week off 2024-12-25 is not a match date: matches fall every 7 days from Thursday 2024-09-05."},
      {calendar({2024, 9, 5}, {{2024, 9, 7}}, 1), 0, CalendarProblem::None, "The calendar is valid."},
      {calendar({2024, 9, 5}, {{2024, 12, 26}, {2024, 9, 12}, {2024, 12, 26}}), 0,
       CalendarProblem::OffRepeated, "The week off 2024-12-26 is listed twice."},
      // Ten weeks from 09-05 with 09-12 off end on 11-14; 11-21 is past the season.
      {calendar({2024, 9, 5}, {{2024, 9, 12}, {2024, 11, 21}}), 10, CalendarProblem::OffBeyondSeason,
       "The week off 2024-11-21 is after the season's last match date, 2024-11-14."},
      {calendar({2024, 9, 5}, {{2024, 9, 12}, {2024, 11, 14}}), 10, CalendarProblem::None,
       "The calendar is valid."},
      {calendar({2024, 9, 5}, {{2024, 9, 12}, {2024, 11, 21}}), 0, CalendarProblem::None,
       "The calendar is valid."},
  };
  for (const Case& c : cases) {
    const CalendarCheck check = check_calendar(c.calendar, c.weeks);
    EXPECT_EQ(check.problem, c.problem) << c.message;
    EXPECT_EQ(describe(check, c.calendar), c.message);
  }
}

TEST(Season, FindTeamExactFirstThenIgnoringCase) {
  Season s = test::make_season({"Aces", "ACES II", "aces ii", "Caf\u00e9"}, {"Bar"}, "T", std::nullopt, 0);
  EXPECT_EQ(find_team(s, "Aces"), 1);
  EXPECT_EQ(find_team(s, "aCeS"), 1);
  EXPECT_EQ(find_team(s, "aces ii"), 3);  // the exact spelling wins over an earlier case match
  EXPECT_EQ(find_team(s, "Aces II"), 2);
  EXPECT_EQ(find_team(s, "Caf\u00e9"), 4);
  EXPECT_EQ(find_team(s, "Ace"), 0);
  EXPECT_EQ(find_team(s, ""), 0);
  EXPECT_EQ(find_team(s, "Aces "), 0);
}

TEST(Season, InconsistentSeasonsAreRecognised) {
  const Season good = test::five_hostile();
  EXPECT_TRUE(is_consistent(good));
  EXPECT_TRUE(is_consistent(test::four_teams(false)));
  const auto broken = [&](auto change) {
    Season s = good;
    change(s);
    return !is_consistent(s);
  };
  EXPECT_TRUE(broken([](Season& s) { s.teams[0].bar = 0; }));
  EXPECT_TRUE(broken([](Season& s) { s.teams[0].bar = 5; }));
  EXPECT_TRUE(broken([](Season& s) { s.weeks[2].matches[0].home = 6; }));
  EXPECT_TRUE(broken([](Season& s) { s.weeks[2].matches[0].away = -1; }));
  EXPECT_TRUE(broken([](Season& s) { s.weeks[2].matches[0].away = s.weeks[2].matches[0].home; }));
  EXPECT_TRUE(broken([](Season& s) { s.weeks[2].not_playing = 6; }));
  EXPECT_TRUE(broken([](Season& s) { s.weeks[2].date.reset(); }));
  EXPECT_TRUE(broken([](Season& s) { s.weeks[2].date = Date{2025, 2, 29}; }));
  EXPECT_TRUE(broken([](Season& s) { s.calendar->start.minute = 60; }));
}

}  // namespace
}  // namespace quintora::season
