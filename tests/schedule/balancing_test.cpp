#include "schedule/balancing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "league_builder.h"

namespace quintora::schedule {
namespace {

using test::make_league;

constexpr std::size_t at(int i) { return static_cast<std::size_t>(i); }

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

struct Balanced {
  RoundTable table;
  BarLimits limits;
  BalanceState state;
};

Balanced balanced(const League& league) {
  Balanced b;
  build_round_table(b.table, league.n_team);
  compute_bar_limits(league, b.limits);
  balance(b.table, league, b.limits, b.state);
  return b;
}

int home_matches_of_bar(const Balanced& b, const League& league, int bar, int round) {
  int n = 0;
  for (int s = b.table.odd; s <= b.table.nmatch; ++s) {
    if (league.team.bar_number[at(b.table.A[at(s)][at(round)] - 1)] == bar) ++n;
  }
  return n;
}

TEST(BarLimits, FollowTeamsAndTables) {
  struct Case {
    int teams, tables, max, min;
  };
  const Case cases[] = {{1, 1, 1, 0}, {1, 5, 1, 0}, {2, 1, 1, 1}, {3, 2, 2, 1}, {4, 2, 2, 2},
                        {4, 4, 3, 1}, {5, 3, 3, 2}, {6, 6, 4, 2}, {0, 1, -1, 1}, {0, 7, -1, 1}};
  for (const auto& c : cases) {
    int max_home = 0;
    int min_home = 0;
    limits_of_bar(c.teams, c.tables, max_home, min_home);
    EXPECT_EQ(max_home, c.max) << c.teams << " teams, " << c.tables << " tables";
    EXPECT_EQ(min_home, c.min) << c.teams << " teams, " << c.tables << " tables";
  }
}

const League worked_example_league() {
  return make_league("Worked", {{"One", 2, {"T1", "T2", "T3", "T4"}}, {"Two", 1, {"T5"}}, {"Three", 1, {"T6"}}});
}

const std::vector<std::string> worked_example_result = {"6-5 1-3 2-4", "4-6 5-1 3-2", "3-6 5-4 1-2", "2-6 5-3 4-1",
                                                        "1-6 5-2 4-3"};

TEST(Balancing, WorkedExampleMakesItsThreeExchanges) {
  const League league = worked_example_league();
  const Balanced b = balanced(league);
  EXPECT_EQ(cells(b.table), worked_example_result);
  EXPECT_EQ(b.state.exchanges, 3);
  for (int r = 1; r <= b.table.nweek; ++r) EXPECT_EQ(home_matches_of_bar(b, league, 1, r), 2) << "round " << r;
}

TEST(Balancing, BarWithoutTeamsChangesNothing) {
  // An empty bar (limits -1 and 1) between the others: it never hosts and
  // never has a candidate, so the outcome is the worked example's.
  League league = make_league(
      "Worked", {{"One", 2, {"T1", "T2", "T3", "T4"}}, {"Empty", 3, {}}, {"Two", 1, {"T5"}}, {"Three", 1, {"T6"}}});
  const Balanced b = balanced(league);
  EXPECT_EQ(b.limits.max_home_this_bar[2], -1);
  EXPECT_EQ(b.limits.min_home_this_bar[2], 1);
  EXPECT_EQ(cells(b.table), worked_example_result);
  EXPECT_EQ(b.state.exchanges, 3);
}

TEST(Balancing, TeamsInBarsOfTheirOwnLeaveTheTableAsBuilt) {
  for (int n : {1, 2, 5, 8, 49}) {
    const League league = test::league_of_single_bars(n);
    RoundTable built;
    build_round_table(built, n);
    const Balanced b = balanced(league);
    EXPECT_EQ(cells(b.table), cells(built)) << n << " teams";
    EXPECT_EQ(b.state.exchanges, 0);
  }
}

TEST(Balancing, LeagueThatCannotBeBalancedIsLeftAsItIs) {
  const League league = make_league("Stuck", {{"One", 1, {"T1"}}, {"Two", 1, {"T2", "T3"}}, {"Three", 1, {"T4", "T5"}}});
  const Balanced b = balanced(league);
  // Round 1: team 4 visits team 2, whose bar is at its lower limit, so bar 3
  // stays below its own.
  EXPECT_EQ(cells(b.table)[0], "6-5 1-3 2-4");
  EXPECT_EQ(home_matches_of_bar(b, league, 3, 1), 0);
  EXPECT_LT(home_matches_of_bar(b, league, 3, 1), b.limits.min_home_this_bar[3]);
}

TEST(Balancing, AmongEqualHomeCountsTheLowerSlotGivesUp) {
  // One round, two home teams of a bar allowed one home match, equal home counts.
  const League league = make_league("Tie", {{"One", 1, {"T1", "T2"}}, {"Two", 1, {"T3"}}, {"Three", 1, {"T4"}}});
  Balanced b;
  b.table.n_team_even = 4;
  b.table.odd = 1;
  b.table.nweek = 1;
  b.table.nmatch = 2;
  b.table.A[1][1] = 1;
  b.table.B[1][1] = 3;
  b.table.A[2][1] = 2;
  b.table.B[2][1] = 4;
  compute_bar_limits(league, b.limits);
  balance(b.table, league, b.limits, b.state);
  EXPECT_EQ(cells(b.table), std::vector<std::string>{"3-1 2-4"});
  EXPECT_EQ(b.state.exchanges, 1);
}

TEST(Balancing, PairingOfTwoTeamsOfOneBarIsNeverFlippedForThatBar) {
  // Round 3 of the worked example holds 1-2, both of bar 1: team 1 is no take
  // candidate although its home count is the lowest.
  const League league = worked_example_league();
  Balanced b;
  build_round_table(b.table, 6);
  compute_bar_limits(league, b.limits);
  b.state = BalanceState{};
  for (int t = 1; t <= 6; ++t) b.state.home_bar[at(t)] = league.team.bar_number[at(t - 1)];
  evaluate_round(b.table, b.limits, 3, b.state);
  EXPECT_EQ(b.state.n_match_this_bar[1], 1);
  EXPECT_EQ(b.state.teamN_with_min_home_this_bar[1], 3);
  EXPECT_EQ(b.state.TheMinNumber[1], 2);
}

class BalancingKeepsPairings : public ::testing::TestWithParam<int> {};

TEST_P(BalancingKeepsPairings, OnlyHomeAndAwayChangeAndTheByeSlotIsUntouched) {
  const League league = test::grouped_league(GetParam());
  RoundTable built;
  build_round_table(built, league.n_team);
  const Balanced b = balanced(league);
  for (int r = 1; r <= built.nweek; ++r) {
    if (built.odd == 2) {
      // The bye slot of an odd league is never read, flipped or counted.
      EXPECT_EQ(b.table.A[1][at(r)], built.A[1][at(r)]);
      EXPECT_EQ(b.table.B[1][at(r)], built.B[1][at(r)]);
    }
    for (int s = 1; s <= built.nmatch; ++s) {
      const int a = b.table.A[at(s)][at(r)];
      const int v = b.table.B[at(s)][at(r)];
      const bool same = a == built.A[at(s)][at(r)] && v == built.B[at(s)][at(r)];
      const bool flipped = a == built.B[at(s)][at(r)] && v == built.A[at(s)][at(r)];
      EXPECT_TRUE(same || flipped) << "slot " << s << " round " << r;
    }
  }
}

TEST_P(BalancingKeepsPairings, KeptHomeCountsMatchAFreshCount) {
  const League league = test::grouped_league(GetParam());
  Balanced b = balanced(league);
  const auto kept = b.state.n_home_of_team;
  evaluate_round(b.table, b.limits, 1, b.state);
  EXPECT_EQ(kept, b.state.n_home_of_team);
}

INSTANTIATE_TEST_SUITE_P(GroupedLeagues, BalancingKeepsPairings, ::testing::Values(5, 7, 9, 12, 31, 98, 99));

TEST(Balancing, OddGroupedLeagueNeedsExchanges) {
  // So that the bye test above has exchanges to survive.
  const League league = test::grouped_league(7);
  const Balanced b = balanced(league);
  EXPECT_GT(b.state.exchanges, 0);
}

}  // namespace
}  // namespace quintora::schedule
