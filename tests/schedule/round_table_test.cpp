#include "schedule/round_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <tuple>
#include <utility>

#include "league_builder.h"

namespace quintora::schedule {
namespace {

using test::at;

TEST(RoundTable, MatchesTheWorkedTables) {
  const std::vector<std::string> four = {"4-3 1-2", "2-4 3-1", "4-1 3-2"};
  const std::vector<std::string> six = {"6-5 1-3 2-4", "4-6 5-1 3-2", "6-3 5-4 1-2", "2-6 3-5 4-1", "6-1 5-2 4-3"};
  const std::vector<std::string> eight = {"8-7 1-4 2-6 3-5", "6-8 7-1 4-3 5-2", "8-5 7-6 1-3 2-4", "4-8 5-7 6-1 3-2",
                                          "8-3 7-4 6-5 1-2", "2-8 3-7 4-6 5-1", "8-1 7-2 6-3 5-4"};
  const std::pair<int, std::vector<std::string>> cases[] = {  // odd counts: the top team is the dummy
      {8, eight}, {6, six}, {5, six}, {4, four}, {3, four}, {2, {"2-1"}}, {1, {"2-1"}}};
  RoundTable t;  // reused, largest first: nothing of an earlier table may survive
  for (const auto& [teams, rounds] : cases) {
    build_round_table(t, teams);
    EXPECT_EQ(test::cells(t), rounds) << teams << " teams";
  }
}

class RoundTableInvariants : public ::testing::TestWithParam<int> {};

TEST_P(RoundTableInvariants, EveryRoundIsAPerfectPairingAndEveryPairMeetsOnce) {
  const int c = GetParam();
  const int n = c + c % 2;
  RoundTable t;
  build_round_table(t, c);
  ASSERT_EQ(std::tuple(t.n_team_even, t.odd, t.nweek, t.nmatch), std::tuple(n, 1 + c % 2, n - 1, n / 2));
  std::vector<int> every_team(at(n));
  std::iota(every_team.begin(), every_team.end(), 1);
  std::set<std::pair<int, int>> pairs;
  for (int r = 1; r <= t.nweek; ++r) {
    std::set<int> seen;
    for (int s = 1; s <= t.nmatch; ++s) {
      seen.insert({t.A[at(s)][at(r)], t.B[at(s)][at(r)]});
      pairs.insert(std::minmax(t.A[at(s)][at(r)], t.B[at(s)][at(r)]));
    }
    ASSERT_EQ(std::vector(seen.begin(), seen.end()), every_team) << "round " << r;
    ASSERT_TRUE(t.A[1][at(r)] == n || t.B[1][at(r)] == n) << "the top team leaves slot 1 in round " << r;
  }
  EXPECT_EQ(pairs.size(), at(n * (n - 1) / 2));  // as many pairs as cells: each exactly once
}

INSTANTIATE_TEST_SUITE_P(AllTeamCounts, RoundTableInvariants, ::testing::Range(1, 100));

}  // namespace
}  // namespace quintora::schedule
