#include "schedule/round_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace quintora::schedule {
namespace {

constexpr std::size_t at(int i) { return static_cast<std::size_t>(i); }

// "A-B" cells round by round, slots left to right, as the tables are written.
std::vector<std::string> cells(const RoundTable& t) {
  std::vector<std::string> rounds;
  for (int r = 1; r <= t.nweek; ++r) {
    std::string line;
    for (int s = 1; s <= t.nmatch; ++s) {
      if (s > 1) line += ' ';
      line += std::to_string(t.A[at(s)][at(r)]) + "-" + std::to_string(t.B[at(s)][at(r)]);
    }
    rounds.push_back(line);
  }
  return rounds;
}

TEST(RoundTable, MatchesTheWorkedTables) {
  struct Case {
    int teams;
    std::vector<std::string> rounds;
  };
  const Case cases[] = {
      {2, {"2-1"}},
      {4, {"4-3 1-2", "2-4 3-1", "4-1 3-2"}},
      {3, {"4-3 1-2", "2-4 3-1", "4-1 3-2"}},  // team 4 is the dummy
      {6, {"6-5 1-3 2-4", "4-6 5-1 3-2", "6-3 5-4 1-2", "2-6 3-5 4-1", "6-1 5-2 4-3"}},
      {5, {"6-5 1-3 2-4", "4-6 5-1 3-2", "6-3 5-4 1-2", "2-6 3-5 4-1", "6-1 5-2 4-3"}},
      {8,
       {"8-7 1-4 2-6 3-5", "6-8 7-1 4-3 5-2", "8-5 7-6 1-3 2-4", "4-8 5-7 6-1 3-2", "8-3 7-4 6-5 1-2",
        "2-8 3-7 4-6 5-1", "8-1 7-2 6-3 5-4"}},
  };
  for (const auto& c : cases) {
    RoundTable t;
    build_round_table(t, c.teams);
    EXPECT_EQ(cells(t), c.rounds) << c.teams << " teams";
  }
}

TEST(RoundTable, SizesForEvenOddAndOneTeam) {
  struct Case {
    int teams, n_team_even, odd, nweek, nmatch;
  };
  const Case cases[] = {{1, 2, 2, 1, 1}, {2, 2, 1, 1, 1}, {5, 6, 2, 5, 3}, {98, 98, 1, 97, 49}, {99, 100, 2, 99, 50}};
  for (const auto& c : cases) {
    RoundTable t;
    build_round_table(t, c.teams);
    EXPECT_EQ(t.n_team_even, c.n_team_even) << c.teams;
    EXPECT_EQ(t.odd, c.odd) << c.teams;
    EXPECT_EQ(t.nweek, c.nweek) << c.teams;
    EXPECT_EQ(t.nmatch, c.nmatch) << c.teams;
  }
  RoundTable one;
  build_round_table(one, 1);
  EXPECT_EQ(cells(one), std::vector<std::string>{"2-1"});
}

TEST(RoundTable, ByesOfAnOddLeagueRunDownward) {
  RoundTable t;
  build_round_table(t, 5);
  std::vector<int> byes;
  for (int r = 1; r <= t.nweek; ++r) byes.push_back(std::min(t.A[1][at(r)], t.B[1][at(r)]));
  EXPECT_EQ(byes, (std::vector<int>{5, 4, 3, 2, 1}));
}

class RoundTableInvariants : public ::testing::TestWithParam<int> {};

TEST_P(RoundTableInvariants, EveryRoundPairsEveryTeamAndEveryPairMeetsOnce) {
  const int n_team = GetParam();
  RoundTable t;
  build_round_table(t, n_team);
  const int n = t.n_team_even;
  ASSERT_EQ(n, n_team + n_team % 2);

  std::vector<int> meetings(at((n + 1) * (n + 1)), 0);
  for (int r = 1; r <= t.nweek; ++r) {
    std::vector<int> seen(at(n + 1), 0);
    for (int s = 1; s <= t.nmatch; ++s) {
      const int a = t.A[at(s)][at(r)];
      const int b = t.B[at(s)][at(r)];
      ASSERT_GE(a, 1);
      ASSERT_LE(a, n);
      ASSERT_GE(b, 1);
      ASSERT_LE(b, n);
      ASSERT_NE(a, b);
      ++seen[at(a)];
      ++seen[at(b)];
      ++meetings[at(std::min(a, b) * (n + 1) + std::max(a, b))];
    }
    for (int team = 1; team <= n; ++team) ASSERT_EQ(seen[at(team)], 1) << "team " << team << " round " << r;
    // The highest team, the dummy of an odd league, always stands in slot 1.
    ASSERT_TRUE(t.A[1][at(r)] == n || t.B[1][at(r)] == n) << "round " << r;
  }
  for (int a = 1; a <= n; ++a) {
    for (int b = a + 1; b <= n; ++b) ASSERT_EQ(meetings[at(a * (n + 1) + b)], 1) << a << " v " << b;
  }
}

INSTANTIATE_TEST_SUITE_P(AllTeamCounts, RoundTableInvariants, ::testing::Range(1, 100));

TEST(RoundTable, RebuildingStartsFromNothing) {
  RoundTable t;
  build_round_table(t, 8);
  build_round_table(t, 4);
  EXPECT_EQ(t.A[3][1], 0);  // nothing of the 8-team table survives
  EXPECT_EQ(cells(t), (std::vector<std::string>{"4-3 1-2", "2-4 3-1", "4-1 3-2"}));
}

}  // namespace
}  // namespace quintora::schedule
