#include "schedule/balancing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

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
      make_league({{4, 2}, {1, 1}, {1, 1}}),
      // An empty bar (limits -1 and 1) never hosts and never has a candidate.
      make_league({{4, 2}, {0, 3}, {1, 1}, {1, 1}})};
  for (const League& league : leagues) {
    BalanceState state;
    EXPECT_EQ(cells(test::balanced_table(league, &state)), expected) << league.n_bar << " bars";
    EXPECT_EQ(state.exchanges, 3);
  }
}

TEST(Balancing, LeagueThatCannotBeBalancedIsLeftAsItIs) {
  // Round 1 (6-5 1-3 2-4): bar 3 has no home match, but its only visitor,
  // team 4, plays team 2, whose bar is at its lower limit; the round stays.
  const League stuck = make_league({{1, 1}, {2, 1}, {2, 1}});
  EXPECT_EQ(cells(test::balanced_table(stuck))[0], "6-5 1-3 2-4");
}

TEST(Balancing, AmongEqualHomeCountsTheLowerSlotGivesUp) {
  // Round 3 (4-1 3-2): both hosts are of a bar allowed one home match and
  // have two home matches each; team 4, in slot 1, gives its match up.
  const League league = make_league({{1, 1}, {1, 1}, {2, 1}});
  EXPECT_EQ(cells(test::balanced_table(league)), (std::vector<std::string>{"4-3 1-2", "2-4 3-1", "1-4 3-2"}));
}

// Teams in bars of their own (limits 1 and 0) need no exchange; bars of
// three with two tables need some.
class BalancingGroupedLeagues : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(BalancingGroupedLeagues, FlipsOnlyHomeAndAwayNeverTheByeAndKeepsItsHomeCountsRight) {
  const auto [n_team, per_bar] = GetParam();
  const League league = test::grouped_league(n_team, per_bar);
  RoundTable built;
  build_round_table(built, league.n_team);
  BalanceState state;
  const RoundTable t = test::balanced_table(league, &state);
  EXPECT_EQ(state.exchanges > 0, per_bar > 1);
  for (int r = 1; r <= built.nweek; ++r) {
    for (int s = 1; s <= built.nmatch; ++s) {
      EXPECT_EQ(std::minmax(t.A[at(s)][at(r)], t.B[at(s)][at(r)]), std::minmax(built.A[at(s)][at(r)], built.B[at(s)][at(r)]));
    }
  }
  EXPECT_TRUE(built.odd == 1 || t.A[1] == built.A[1]) << "the bye slot of an odd league is never flipped";
  // The home counts kept up to date through the exchanges match a fresh count.
  const auto kept = state.n_home_of_team;
  BarLimits limits;
  compute_bar_limits(league, limits);
  evaluate_round(t, limits, 1, state);
  EXPECT_EQ(kept, state.n_home_of_team);
}

INSTANTIATE_TEST_SUITE_P(OddAndEven, BalancingGroupedLeagues,
                         ::testing::Values(std::pair{1, 1}, std::pair{8, 1}, std::pair{49, 1}, std::pair{7, 3},
                                           std::pair{12, 3}, std::pair{31, 3}, std::pair{98, 3}, std::pair{99, 3}));

}  // namespace
}  // namespace quintora::schedule
