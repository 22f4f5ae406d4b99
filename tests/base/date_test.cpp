// Civil-date arithmetic and the strict date and time forms.

#include "base/date.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

namespace quintora::base {
namespace {

// Every day of the years the formats hold (1900 and 2100 not leap, 2000 and
// 2400 leap) against the standard library's calendar, and its text form.
TEST(Date, EveryDayAgreesWithTheStandardCalendarAndItsText) {
  namespace ch = std::chrono;
  const ch::sys_days last = ch::year(9999) / 12 / 31;
  for (ch::sys_days day = ch::year(1900) / 1 / 1; day <= last; day += ch::days(1)) {
    const ch::year_month_day ymd(day);
    const Date date{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                    static_cast<int>(static_cast<unsigned>(ymd.day()))};
    const std::int64_t n = day.time_since_epoch().count();
    ASSERT_EQ(days_from_civil(date), n);
    ASSERT_EQ(civil_from_days(n), date) << n;
    ASSERT_EQ(weekday(date), static_cast<int>(ch::weekday(day).iso_encoding()) - 1) << n;
    ASSERT_EQ(parse_iso_date(format_iso_date(date)), date) << n;
  }
  EXPECT_EQ(weekday_name({2024, 2, 29}), "Thursday");
  EXPECT_EQ(weekday_name({1969, 12, 28}), "Sunday");
}

TEST(Date, StrictDateAndTimeText) {
  // One spelling for each way a text fails: its length, a separator, a digit, the calendar.
  for (const char* bad :
       {"2023-02-29", "2100-02-29", "2024-04-31", "2024-13-01", "2024-00-10", "2024-01-00", "2024-4-01",
        "2024-04-01 ", "", "10000-01-01", "2024/04/01", "1899-12-31", "2024-04-0a", "+024-04-01"}) {
    EXPECT_FALSE(parse_iso_date(bad)) << '"' << bad << '"';
  }
  for (const char* good : {"20:00", "00:00", "23:59", "07:05"}) {
    const auto time = parse_time(good);
    ASSERT_TRUE(time) << good;
    EXPECT_EQ(format_time(*time), good);
  }
  for (const char* bad : {"24:00", "07:60", "-1:00", "7:30", "07:30:00", "", "07.30", "07:3x", "07:0:"}) {
    EXPECT_FALSE(parse_time(bad)) << '"' << bad << '"';
  }
  EXPECT_EQ(format_iso_date({987, 3, 4}), "0987-03-04");
}

}  // namespace
}  // namespace quintora::base
