#include "schedule/schedule_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "league_builder.h"

namespace quintora::schedule {
namespace {

// The week lines without their week number, from the first (one-digit) host on.
std::vector<std::string> weeks_of(const std::string& text) {
  std::vector<std::string> weeks;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("   Week", 0) == 0) weeks.push_back(line.substr(15));
  }
  return weeks;
}

const league::League spring = test::make_league({{1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}}, "Spring League",
                                                {"Aces", "Bankers", "Cue Kings", "Dart Hawks", "Eagles"});

TEST(ScheduleWriter, SpringLeagueByteForByteAndCommaDelimited) {
  EXPECT_EQ(test::schedule_text(spring, 6),
            "\n\n     Spring League\n\n"
            "   Week  1:    1 at  3      2 at  4      Not Playing:  5\n"
            "   Week  2:    5 at  1      3 at  2      Not Playing:  4\n"
            "   Week  3:    5 at  4      1 at  2      Not Playing:  3\n"
            "   Week  4:    3 at  5      4 at  1      Not Playing:  2\n"
            "   Week  5:    5 at  2      4 at  3      Not Playing:  1\n"
            "   Week  6:    3 at  1      4 at  2      Not Playing:  5\n"
            "\n        1: Aces\n        2: Bankers\n        3: Cue Kings\n        4: Dart Hawks\n        5: "
            "Eagles\n");
  EXPECT_EQ(test::schedule_text(spring, 1, true).substr(22, 57),
            "   Week  1:,   1 at  3,     2 at  4,     Not Playing:  5\n");
  // One team, which never plays.
  EXPECT_EQ(weeks_of(test::schedule_text(test::grouped_league(1), 2)),
            std::vector<std::string>(2, "Not Playing:  1"));
}

TEST(ScheduleWriter, PassesRepeatInOneOrderAndWeeksRunOn) {
  const auto full = weeks_of(test::schedule_text(spring, 11));  // week 6 is round 1 exchanged (above)
  ASSERT_EQ(full.size(), 11u);
  EXPECT_EQ(full[10], full[0]) << "the third pass repeats the first";
  const RoundOrder reversed{{0, 5, 4, 3, 2, 1}};
  const auto ordered = weeks_of(test::schedule_text(spring, 11, false, &reversed));
  ASSERT_EQ(ordered.size(), 11u);
  for (std::size_t k = 0; k < 11; ++k)
    EXPECT_EQ(ordered[k], full[k / 5 % 2 * 5 + 4 - k % 5]) << "week " << k + 1;
}

// A spreadsheet splits the comma-delimited file at every comma (or semicolon,
// or tab); a cell that a name or title begins must not start a formula
// (blanks and opening quotes before it do not count) and a line end must not
// start a row. The plain text keeps every byte.
TEST(ScheduleWriter, CommaDelimitedNamesAndTitlesMakeNoFormulaCellAndNoRow) {
  // text, and as title and as name in the comma-delimited file
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"100% %s %d Ünïcode", "100% %s %d Ünïcode", "100% %s %d Ünïcode"},
      {"=1+1", "'=1+1", "=1+1"},  // a legend line's cell begins with the team's number
      {"x,\"=1+1\"", "x,\"'=1+1\"", "x,\"'=1+1\""},
      {"x;=cmd|' /C calc'!A0;", "x;'=cmd|' /C calc'!A0;", "x;'=cmd|' /C calc'!A0;"},
      {"Line\rbreak\nhere\r\n", "Line break here  ", "Line break here  "},
      {"a,\n=1", "a, '=1", "a, '=1"},  // a line end is a blank before the cell's first character
  };
  for (const auto& [text, as_title, as_name] : cases) {
    const league::League league = test::make_league({{1, 1}}, text, {text});
    EXPECT_EQ(test::schedule_text(league, 0, true),
              "\n\n     " + as_title + "\n\n\n        1: " + as_name + "\n")
        << text;
    EXPECT_EQ(test::schedule_text(league, 0, false), "\n\n     " + text + "\n\n\n        1: " + text + "\n");
  }
}

}  // namespace
}  // namespace quintora::schedule
