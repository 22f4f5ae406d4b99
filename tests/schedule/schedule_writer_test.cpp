#include "schedule/schedule_writer.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "league_builder.h"

namespace quintora::schedule {
namespace {

std::string schedule_text(const League& league, int weeks, bool comma = false, const RoundOrder* order = nullptr) {
  const RoundTable table = test::balanced_table(league);
  std::string out;
  write_header(out, league.stored_title.view());
  write_season(out, table, order ? *order : table_order(table.nweek), weeks, comma);
  write_legend(out, league);
  return out;
}

std::vector<std::string> week_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("   Week", 0) == 0) lines.push_back(line);
  }
  return lines;
}

// "host at visitor" texts of one week line.
std::vector<std::string> matches_of(const std::string& line) {
  std::vector<std::string> matches;
  for (auto pos = line.find(" at"); pos != std::string::npos; pos = line.find(" at", pos + 3)) {
    matches.push_back(line.substr(pos - 3, 3) + " at" + line.substr(pos + 3, 3));
  }
  return matches;
}

TEST(ScheduleWriter, SpringLeagueByteForByte) {
  const League spring = test::make_league("Spring League", {{"B1", 1, {"Aces"}}, {"B2", 1, {"Bankers"}},
                                                            {"B3", 1, {"Cue Kings"}}, {"B4", 1, {"Dart Hawks"}},
                                                            {"B5", 1, {"Eagles"}}});
  EXPECT_EQ(schedule_text(spring, 6),
            "\n\n     Spring League\n\n"
            "   Week  1:    1 at  3      2 at  4      Not Playing:  5\n"
            "   Week  2:    5 at  1      3 at  2      Not Playing:  4\n"
            "   Week  3:    5 at  4      1 at  2      Not Playing:  3\n"
            "   Week  4:    3 at  5      4 at  1      Not Playing:  2\n"
            "   Week  5:    5 at  2      4 at  3      Not Playing:  1\n"
            "   Week  6:    3 at  1      4 at  2      Not Playing:  5\n"
            "\n        1: Aces\n        2: Bankers\n        3: Cue Kings\n        4: Dart Hawks\n        5: Eagles\n");
  EXPECT_EQ(week_lines(schedule_text(spring, 1, true)).at(0), "   Week  1:,   1 at  3,     2 at  4,     Not Playing:  5");
  EXPECT_EQ(week_lines(schedule_text(test::grouped_league(4, 1), 1, true)).at(0),
            "   Week  1:,   4 at  3,     1 at  2,   ");
}

TEST(ScheduleWriter, ZeroWeeksWritesHeaderEmptyLineAndLegendWithNamesAsTheyStand) {
  const League league = test::make_league("100% T", {{"B", 1, {"%s %d Club", "Ünïcode"}}});
  EXPECT_EQ(schedule_text(league, 0), "\n\n     100% T\n\n\n        1: %s %d Club\n        2: Ünïcode\n");
}

TEST(ScheduleWriter, PassesAlternateHomeAndAwayAndWeeksRunOn) {
  const League league = test::grouped_league(6, 1);  // 5 rounds
  const auto full = week_lines(schedule_text(league, 15));
  ASSERT_EQ(full.size(), 15u);
  for (int weeks : {3, 10, 11}) {  // shorter than, equal to and longer than two passes
    EXPECT_EQ(week_lines(schedule_text(league, weeks)), std::vector(full.begin(), full.begin() + weeks));
  }
  for (std::size_t k = 0; k < 5; ++k) {
    const auto first = matches_of(full[k]);
    const auto second = matches_of(full[k + 5]);
    for (std::size_t m = 0; m < first.size(); ++m) {
      EXPECT_EQ(second[m], first[m].substr(6, 3) + " at" + first[m].substr(0, 3)) << full[k + 5];
    }
    EXPECT_EQ(full[k + 10].substr(11), full[k].substr(11));
  }
  EXPECT_EQ(full[14].substr(0, 11), "   Week 15:");
}

TEST(ScheduleWriter, TwoPassesMeetEveryPairOnceAtEachBarAndGiveEachTeamTwoByes) {
  for (int n : {8, 99}) {
    const int nweek = n - 1 + n % 2;
    std::map<std::string, int> hosted;
    std::map<int, int> byes;
    for (const auto& line : week_lines(schedule_text(test::grouped_league(n), 2 * nweek))) {
      for (const auto& m : matches_of(line)) ++hosted[m];
      if (const auto bye = line.find("Not Playing:"); bye != std::string::npos) ++byes[std::stoi(line.substr(bye + 12))];
    }
    EXPECT_EQ(hosted.size(), static_cast<std::size_t>(n * (n - 1))) << n;
    for (const auto& [match, count] : hosted) EXPECT_EQ(count, 1) << match;
    EXPECT_EQ(byes.size(), static_cast<std::size_t>(n % 2 == 1 ? n : 0));
    for (const auto& [team, count] : byes) EXPECT_EQ(count, 2) << "team " << team;
  }
}

TEST(ScheduleWriter, OneTeamHasOnlyItsBye) {
  EXPECT_EQ(week_lines(schedule_text(test::grouped_league(1), 2)),
            (std::vector<std::string>{"   Week  1:    Not Playing:  1", "   Week  2:    Not Playing:  1"}));
}

TEST(ScheduleWriter, RoundOrderAppliesToEveryPass) {
  RoundOrder order;  // rounds: 4-3 1-2 | 2-4 3-1 | 4-1 3-2
  order.round = {0, 3, 1, 2};
  const auto lines = week_lines(schedule_text(test::grouped_league(4, 1), 7, false, &order));
  const std::vector<std::vector<std::string>> expected = {
      {"  4 at  1", "  3 at  2"}, {"  4 at  3", "  1 at  2"}, {"  2 at  4", "  3 at  1"}, {"  1 at  4", "  2 at  3"},
      {"  3 at  4", "  2 at  1"}, {"  4 at  2", "  1 at  3"}, {"  4 at  1", "  3 at  2"}};
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(matches_of(lines[i]), expected[i]) << lines[i];
}

}  // namespace
}  // namespace quintora::schedule
