#include "schedule/schedule_writer.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "league_builder.h"
#include "schedule/balancing.h"
#include "schedule/bar_limits.h"

namespace quintora::schedule {
namespace {

std::string schedule_text(const League& league, int weeks, bool comma, const RoundOrder* order = nullptr) {
  RoundTable table;
  build_round_table(table, league.n_team);
  BarLimits limits;
  compute_bar_limits(league, limits);
  BalanceState state;
  balance(table, league, limits, state);
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

// (host, visitor) pairs of one week line.
std::vector<std::pair<int, int>> matches_of(const std::string& line) {
  std::vector<std::pair<int, int>> matches;
  std::size_t pos = 0;
  while ((pos = line.find(" at", pos)) != std::string::npos) {
    matches.emplace_back(std::stoi(line.substr(pos - 3, 3)), std::stoi(line.substr(pos + 3, 3)));
    pos += 3;
  }
  return matches;
}

League spring_league() {
  return test::make_league("Spring League", {{"B1", 1, {"Aces"}},
                                             {"B2", 1, {"Bankers"}},
                                             {"B3", 1, {"Cue Kings"}},
                                             {"B4", 1, {"Dart Hawks"}},
                                             {"B5", 1, {"Eagles"}}});
}

TEST(ScheduleWriter, SpringLeagueByteForByte) {
  const std::string expected =
      "\n"
      "\n"
      "     Spring League\n"
      "\n"
      "   Week  1:    1 at  3      2 at  4      Not Playing:  5\n"
      "   Week  2:    5 at  1      3 at  2      Not Playing:  4\n"
      "   Week  3:    5 at  4      1 at  2      Not Playing:  3\n"
      "   Week  4:    3 at  5      4 at  1      Not Playing:  2\n"
      "   Week  5:    5 at  2      4 at  3      Not Playing:  1\n"
      "   Week  6:    3 at  1      4 at  2      Not Playing:  5\n"
      "\n"
      "        1: Aces\n"
      "        2: Bankers\n"
      "        3: Cue Kings\n"
      "        4: Dart Hawks\n"
      "        5: Eagles\n";
  EXPECT_EQ(schedule_text(spring_league(), 6, false), expected);
}

TEST(ScheduleWriter, CommaDelimitedSeparatesWeekAndMatchesButNotTheBye) {
  const League even = test::league_of_single_bars(4);
  EXPECT_EQ(week_lines(schedule_text(even, 1, true)).at(0), "   Week  1:,   4 at  3,     1 at  2,   ");
  EXPECT_EQ(week_lines(schedule_text(spring_league(), 1, true)).at(0),
            "   Week  1:,   1 at  3,     2 at  4,     Not Playing:  5");
}

TEST(ScheduleWriter, ZeroWeeksWritesHeaderEmptyLineAndLegend) {
  EXPECT_EQ(schedule_text(test::league_of_single_bars(2, "T"), 0, false),
            "\n\n     T\n\n\n        1: Team 1\n        2: Team 2\n");
  EXPECT_EQ(schedule_text(test::league_of_single_bars(2, "T"), -5, false),
            schedule_text(test::league_of_single_bars(2, "T"), 0, false));
}

TEST(ScheduleWriter, SeasonLengthAgainstThePasses) {
  const League league = test::league_of_single_bars(6);  // 5 rounds
  const auto full = week_lines(schedule_text(league, 15, false));
  ASSERT_EQ(full.size(), 15u);
  for (int weeks : {0, 1, 3, 5, 10, 11, 15}) {
    const auto lines = week_lines(schedule_text(league, weeks, false));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(weeks));
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], full[i]) << weeks << " weeks, line " << i;
  }
  for (int k = 0; k < 5; ++k) {
    // The second pass exchanges home and away; the third repeats the first.
    const auto first = matches_of(full[static_cast<std::size_t>(k)]);
    const auto second = matches_of(full[static_cast<std::size_t>(k + 5)]);
    const auto third = matches_of(full[static_cast<std::size_t>(k + 10)]);
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t m = 0; m < first.size(); ++m) {
      EXPECT_EQ(second[m], std::make_pair(first[m].second, first[m].first));
      EXPECT_EQ(third[m], first[m]);
    }
    EXPECT_EQ(full[static_cast<std::size_t>(k + 10)].substr(11), full[static_cast<std::size_t>(k)].substr(11));
  }
  EXPECT_EQ(full[14].substr(0, 11), "   Week 15:");
}

TEST(ScheduleWriter, TwoPassesMeetEveryPairOnceAtEachBarAndGiveEachTeamItsByes) {
  for (int n : {5, 8, 98, 99}) {
    const League league = test::grouped_league(n);
    const int nweek = n % 2 == 0 ? n - 1 : n;
    const auto lines = week_lines(schedule_text(league, 2 * nweek, false));
    std::map<std::pair<int, int>, int> hosted;
    std::map<int, int> byes;
    for (const auto& line : lines) {
      for (const auto& m : matches_of(line)) ++hosted[m];
      const auto bye = line.find("Not Playing:");
      if (bye != std::string::npos) ++byes[std::stoi(line.substr(bye + 12))];
    }
    EXPECT_EQ(hosted.size(), static_cast<std::size_t>(n * (n - 1))) << n;
    for (const auto& [pair, count] : hosted) EXPECT_EQ(count, 1) << pair.first << " at " << pair.second;
    if (n % 2 == 1) {
      EXPECT_EQ(byes.size(), static_cast<std::size_t>(n));
      for (const auto& [team, count] : byes) EXPECT_EQ(count, 2) << "team " << team;
    } else {
      EXPECT_TRUE(byes.empty());
    }
  }
}

TEST(ScheduleWriter, OneTeamHasOnlyItsBye) {
  const auto lines = week_lines(schedule_text(test::league_of_single_bars(1), 3, false));
  EXPECT_EQ(lines, (std::vector<std::string>{"   Week  1:    Not Playing:  1", "   Week  2:    Not Playing:  1",
                                             "   Week  3:    Not Playing:  1"}));
}

TEST(ScheduleWriter, RoundOrderAppliesToEveryPass) {
  const League league = test::league_of_single_bars(4);  // rounds: 4-3 1-2 | 2-4 3-1 | 4-1 3-2
  RoundOrder order;
  order.round = {0, 3, 1, 2};
  const auto lines = week_lines(schedule_text(league, 7, false, &order));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(matches_of(lines[0]), (std::vector<std::pair<int, int>>{{4, 1}, {3, 2}}));
  EXPECT_EQ(matches_of(lines[1]), (std::vector<std::pair<int, int>>{{4, 3}, {1, 2}}));
  EXPECT_EQ(matches_of(lines[2]), (std::vector<std::pair<int, int>>{{2, 4}, {3, 1}}));
  EXPECT_EQ(matches_of(lines[3]), (std::vector<std::pair<int, int>>{{1, 4}, {2, 3}}));
  EXPECT_EQ(matches_of(lines[5]), (std::vector<std::pair<int, int>>{{4, 2}, {1, 3}}));
  EXPECT_EQ(matches_of(lines[6]), (std::vector<std::pair<int, int>>{{4, 1}, {3, 2}}));
}

TEST(ScheduleWriter, TitleAndNamesAreWrittenAsTheyStand) {
  const League league = test::make_league("100% League", {{"B", 1, {"%s %d Club", "Ünïcode"}}});
  const std::string text = schedule_text(league, 0, false);
  EXPECT_NE(text.find("     100% League\n"), std::string::npos);
  EXPECT_NE(text.find("        1: %s %d Club\n"), std::string::npos);
  EXPECT_NE(text.find("        2: Ünïcode\n"), std::string::npos);
}

}  // namespace
}  // namespace quintora::schedule
