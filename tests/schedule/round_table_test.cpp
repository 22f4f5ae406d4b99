// The table a run builds: the round-robin pairing and its bar home balancing.

#include "schedule/round_table.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

#include "schedule/balancing.h"
#include "season_count.h"

namespace quintora::schedule {
namespace {

using namespace test;

// Every round pairs every team and every pair meets once (the schedule
// model's rules, on one pass in the table's order); the top team, an odd
// league's dummy, stays in slot 1; small tables are as worked by hand (an
// odd count plays the next even one's, six teams' are in the balancing
// rows). One table, reused largest first: nothing of an earlier may survive.
TEST(RoundTable, EveryRoundIsAPerfectPairingAndEveryPairMeetsOnce) {
  const char* eight =
      "8-7 1-4 2-6 3-5 | 6-8 7-1 4-3 5-2 | 8-5 7-6 1-3 2-4 | 4-8 5-7 6-1 3-2 | 8-3 7-4 6-5 1-2 | "
      "2-8 3-7 4-6 5-1 | 8-1 7-2 6-3 5-4";
  const std::map<int, std::string> worked = {{2, "2-1"}, {4, "4-3 1-2 | 2-4 3-1 | 4-1 3-2"}, {8, eight}};
  RoundTable t;
  for (int c = 100; c >= 1; --c) {
    const int n = c + c % 2;
    build_round_table(t, c);
    ASSERT_EQ(std::tuple(t.n_team_even, t.first_real_slot, t.nweek, t.nmatch),
              std::tuple(n, 1 + c % 2, n - 1, n / 2));
    const league::League league = grouped_league(c);
    const season::Season pass = build_season(league, t, table_order(t.nweek), t.nweek, {});
    EXPECT_EQ(count(league, pass, t.nweek, false).fault, "") << c;
    for (int r = 1; r <= t.nweek; ++r)
      ASSERT_TRUE(t.A[1][at(r)] == n || t.B[1][at(r)] == n) << c << ": the top team leaves slot 1 in " << r;
    if (worked.count(c) == 1) {
      EXPECT_EQ(cells(t), worked.at(c)) << c << " teams";
    }
  }
}

TEST(BarLimits, FollowTeamsAndTables) {
  const int cases[][4] = {{1, 1, 1, 0}, {1, 5, 1, 0}, {2, 1, 1, 1}, {3, 2, 2, 1},  {4, 2, 2, 2},
                          {4, 4, 3, 1}, {5, 3, 3, 2}, {6, 6, 4, 2}, {0, 1, -1, 1}, {0, 7, -1, 1}};
  for (const auto& [teams, tables, max, min] : cases) {
    std::pair<int, int> limits;
    limits_of_bar(teams, tables, limits.first, limits.second);
    EXPECT_EQ(limits, std::pair(max, min)) << teams << " teams, " << tables << " tables";
  }
}

TEST(Balancing, WorkedExampleTiesAndARoundThatCannotBeBalanced) {
  const char* worked = "6-5 1-3 2-4 | 4-6 5-1 3-2 | 3-6 5-4 1-2 | 2-6 5-3 4-1 | 1-6 5-2 4-3";
  const std::tuple<league::League, std::string, int> cases[] = {
      {make_league({{4, 2}, {1, 1}, {1, 1}}), worked, 3},
      // An empty bar (limits -1 and 1) never hosts and never has a candidate.
      {make_league({{4, 2}, {0, 3}, {1, 1}, {1, 1}}), worked, 3},
      // Round 3 (4-1 3-2): both hosts are of a bar allowed one home match and
      // have two home matches each; team 4, in slot 1, gives its match up.
      {make_league({{1, 1}, {1, 1}, {2, 1}}), "4-3 1-2 | 2-4 3-1 | 1-4 3-2", 1},
      // Round 2 (4-6 5-1 3-2): bar 3 hosts two; team 4's visitor is of a bar
      // already at its one table, so team 3 gives its match up instead.
      {make_league({{1, 1}, {1, 1}, {2, 1}, {2, 1}}),
       "6-5 3-1 2-4 | 4-6 5-1 2-3 | 3-6 5-4 1-2 | 2-6 5-3 4-1 | 6-1 2-5 4-3", 5}};
  for (const auto& [league, expected, exchanges] : cases) {
    BalanceState state;
    EXPECT_EQ(cells(balanced_table(league, &state)), expected) << league.n_bar << " bars";
    EXPECT_EQ(state.exchanges, exchanges);
  }
  // Round 1 (6-5 1-3 2-4): bar 3 has no home match, but its only visitor,
  // team 4, plays team 2, whose bar is at its lower limit; the round stays.
  EXPECT_EQ(cells(balanced_table(make_league({{1, 1}, {2, 1}, {2, 1}}))).substr(0, 14), "6-5 1-3 2-4 | ");
}

}  // namespace
}  // namespace quintora::schedule
