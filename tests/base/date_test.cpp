// Civil-date arithmetic and the strict date and time forms.

#include "base/date.h"

#include <gtest/gtest.h>

namespace quintora::base {
namespace {

TEST(Date, CivilDaysAgreeWithCountingDayByDay) {
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
  EXPECT_EQ(civil_from_days(2932896), (Date{9999, 12, 31}));
  EXPECT_EQ(weekday_name({2024, 2, 29}), "Thursday");
  EXPECT_EQ(weekday_name({1969, 12, 28}), "Sunday");
}

TEST(Date, StrictDateAndTimeText) {
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

}  // namespace
}  // namespace quintora::base
