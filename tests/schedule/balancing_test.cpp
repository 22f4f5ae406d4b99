#include "schedule/balancing.h"

#include <gtest/gtest.h>

#include "league_builder.h"

namespace quintora::schedule {
namespace {

using test::at;
using test::cells;
using test::make_league;

TEST(BarLimits, FollowTeamsAndTables) {
  const int cases[][4] = {{1, 1, 1, 0}, {1, 5, 1, 0}, {2, 1, 1, 1}, {3, 2, 2, 1}, {4, 2, 2, 2},
                          {4, 4, 3, 1}, {5, 3, 3, 2}, {6, 6, 4, 2}, {0, 1, -1, 1}, {0, 7, -1, 1}};
  for (const auto& [teams, tables, max, min] : cases) {
    int limits[2] = {};
    limits_of_bar(teams, tables, limits[0], limits[1]);
    EXPECT_EQ(limits[0], max) << teams << " teams, " << tables << " tables";
    EXPECT_EQ(limits[1], min) << teams << " teams, " << tables << " tables";
  }
}

TEST(Balancing, WorkedExampleMakesItsThreeExchangesAlsoBesideABarWithoutTeams) {
  const std::vector<std::string> expected = {"6-5 1-3 2-4", "4-6 5-1 3-2", "3-6 5-4 1-2", "2-6 5-3 4-1", "1-6 5-2 4-3"};
  const League leagues[] = {
      make_league("Worked", {{"One", 2, {"T1", "T2", "T3", "T4"}}, {"Two", 1, {"T5"}}, {"Three", 1, {"T6"}}}),
      // An empty bar (limits -1 and 1) never hosts and never has a candidate.
      make_league("Worked", {{"One", 2, {"T1", "T2", "T3", "T4"}}, {"Empty", 3, {}}, {"Two", 1, {"T5"}}, {"Three", 1, {"T6"}}})};
  for (const League& league : leagues) {
    BalanceState state;
    EXPECT_EQ(cells(test::balanced_table(league, &state)), expected) << league.n_bar << " bars";
    EXPECT_EQ(state.exchanges, 3);
  }
}

TEST(Balancing, TablesThatNeedOrAllowNoExchangeStayAsBuilt) {
  for (int n : {1, 2, 5, 8, 49}) {  // every bar of one team: limits 1 and 0
    RoundTable built;
    build_round_table(built, n);
    EXPECT_EQ(cells(test::balanced_table(test::grouped_league(n, 1))), cells(built)) << n << " teams";
  }
  // Round 1 (6-5 1-3 2-4): bar 3 has no home match, but its only visitor,
  // team 4, plays team 2, whose bar is at its lower limit; the round stays.
  const League stuck = make_league("Stuck", {{"One", 1, {"T1"}}, {"Two", 1, {"T2", "T3"}}, {"Three", 1, {"T4", "T5"}}});
  EXPECT_EQ(cells(test::balanced_table(stuck))[0], "6-5 1-3 2-4");
}

TEST(Balancing, AmongEqualHomeCountsTheLowerSlotGivesUp) {
  // One round, two home teams of a bar allowed one home match, equal home counts.
  const League league = make_league("Tie", {{"One", 1, {"T1", "T2"}}, {"Two", 1, {"T3"}}, {"Three", 1, {"T4"}}});
  RoundTable t{4, 1, 1, 2, {}, {}};
  t.A[1][1] = 1;
  t.B[1][1] = 3;
  t.A[2][1] = 2;
  t.B[2][1] = 4;
  BarLimits limits;
  compute_bar_limits(league, limits);
  BalanceState state;
  balance(t, league, limits, state);
  EXPECT_EQ(cells(t), std::vector<std::string>{"3-1 2-4"});
}

class BalancingGroupedLeagues : public ::testing::TestWithParam<int> {};

TEST_P(BalancingGroupedLeagues, FlipsOnlyHomeAndAwayNeverTheByeAndKeepsItsHomeCountsRight) {
  const League league = test::grouped_league(GetParam());
  RoundTable built;
  build_round_table(built, league.n_team);
  BalanceState state;
  const RoundTable t = test::balanced_table(league, &state);
  EXPECT_GT(state.exchanges, 0);
  for (int r = 1; r <= built.nweek; ++r) {
    for (int s = 1; s <= built.nmatch; ++s) {
      const int a = t.A[at(s)][at(r)];
      const int b = t.B[at(s)][at(r)];
      const bool flipped = a == built.B[at(s)][at(r)] && b == built.A[at(s)][at(r)] && s >= built.odd;
      EXPECT_TRUE(flipped || (a == built.A[at(s)][at(r)] && b == built.B[at(s)][at(r)])) << s << ", " << r;
    }
  }
  // The home counts kept up to date through the exchanges match a fresh count.
  const auto kept = state.n_home_of_team;
  BarLimits limits;
  compute_bar_limits(league, limits);
  evaluate_round(t, limits, 1, state);
  EXPECT_EQ(kept, state.n_home_of_team);
}

INSTANTIATE_TEST_SUITE_P(OddAndEven, BalancingGroupedLeagues, ::testing::Values(7, 12, 31, 98, 99));

}  // namespace
}  // namespace quintora::schedule
