#include "optimiser/cost.h"

#include <vector>

#include <gtest/gtest.h>

#include "optimiser/operators.h"
#include "round_robin.h"

namespace quintora::optimiser {
namespace {

// Team 1 gets `marks` at positions 1..nv, team 2 the opposite side where
// team 1 plays (a two-team view of a league).
MarkTable marks_of(const std::vector<int>& marks) {
  MarkTable table;
  for (std::size_t p = 0; p < marks.size(); ++p) {
    table.mark[1][p + 1] = static_cast<std::uint8_t>(marks[p]);
    table.mark[2][p + 1] = static_cast<std::uint8_t>(marks[p] == 0 ? 0 : 3 - marks[p]);
  }
  return table;
}

struct CountCase {
  const char* name;
  int mode;
  std::vector<int> marks;
  int count;
};

TEST(AlternationCountTest, CountsOfOneTeam) {
  const CountCase cases[] = {
      {"alternating", 1, {1, 2, 1}, 0},
      {"one break and the wrap", 1, {1, 1, 2}, 3},
      {"all equal, 3", 1, {1, 1, 1}, 3},
      {"all equal, 6", 1, {2, 2, 2, 2, 2, 2}, 9},
      {"run of three, equal wrap", 1, {1, 1, 1, 2, 1, 2, 1}, 3},
      {"even alternation breaks at the wrap", 1, {1, 2, 1, 2}, 1},
      {"single round", 1, {1}, 0},
      {"bye skipped", 2, {1, 0, 2, 1, 2}, 1},
      {"bye skipped, runs", 2, {1, 0, 1, 2, 2}, 5},
      {"bye first", 2, {0, 1, 2, 1, 2}, 1},
      {"bye last", 2, {1, 2, 1, 2, 0}, 1},
      {"bye never a neighbour", 2, {2, 2, 0, 2, 2}, 5},
  };
  for (const CountCase& c : cases) {
    const int nv = static_cast<int>(c.marks.size());
    TeamCounts counts{};
    const MarkTable marks = marks_of(c.marks);
    count_alternation_violations(c.mode, 2 + (c.mode == 2 ? 1 : 0), nv, marks, counts);
    EXPECT_EQ(counts[1], c.count) << c.name;
  }
}

TEST(AlternationCountTest, DummyTeamOfAnOddLeagueIsNotCounted) {
  // 4 slots with the dummy: teams 1..3 counted, team 4 never plays.
  MarkTable marks;
  const int rows[3][3] = {{1, 2, 0}, {2, 0, 2}, {0, 1, 1}};
  for (int t = 0; t < 3; ++t) {
    for (int p = 0; p < 3; ++p) marks.mark[static_cast<std::size_t>(t + 1)][static_cast<std::size_t>(p + 1)] = static_cast<std::uint8_t>(rows[t][p]);
  }
  TeamCounts counts{};
  counts[4] = 77;
  EXPECT_EQ(count_alternation_violations(2, 4, 3, marks, counts), 3);
  EXPECT_EQ(counts[1], 1);
  EXPECT_EQ(counts[2], 1);
  EXPECT_EQ(counts[3], 1);
  EXPECT_EQ(counts[4], 0);
  EXPECT_EQ(count_alternation_violations(1, 4, 3, marks, counts), 4);
}

TEST(AlternationCountTest, NextPositions) {
  const struct {
    int p, nv, q1, q2;
  } cases[] = {{1, 1, 1, 2}, {2, 2, 1, 2}, {1, 5, 2, 3}, {3, 5, 4, 5}, {4, 5, 5, 1}, {5, 5, 1, 2}};
  for (const auto& c : cases) {
    const NextPositions q = next_rounds(c.p, c.nv);
    EXPECT_EQ(q.q1, c.q1) << c.p << "/" << c.nv;
    EXPECT_EQ(q.q2, c.q2) << c.p << "/" << c.nv;
  }
}

TEST(AlternationCountTest, NextPlayedPositionsSkipTheBye) {
  const struct {
    std::vector<int> marks;
    int p, q1, q2;
  } cases[] = {
      {{1, 2, 0, 1, 2, 1}, 1, 2, 4},  // p <= NV-3, bye at p+2
      {{1, 0, 2, 1, 2, 1}, 1, 3, 4},  // p <= NV-3, bye at p+1
      {{1, 2, 1, 2, 0, 1}, 4, 6, 1},  // p = NV-2, bye at p+1
      {{1, 2, 1, 2, 1, 0}, 4, 5, 1},  // p = NV-2, bye at NV
      {{0, 2, 1, 2, 1, 2}, 4, 5, 6},  // p = NV-2, all played after
      {{0, 2, 1, 2, 1, 2}, 5, 6, 2},  // p = NV-1, bye at 1
      {{1, 2, 1, 2, 1, 0}, 5, 1, 2},  // p = NV-1, bye at NV
      {{1, 0, 1, 2, 1, 2}, 6, 1, 3},  // p = NV, bye at 2
      {{0, 2, 1, 2, 1, 2}, 6, 2, 3},  // p = NV, bye at 1
      {{1, 2, 0}, 1, 2, 1},
  };
  for (const auto& c : cases) {
    const MarkTable marks = marks_of(c.marks);
    const NextPositions q = next_played_rounds(1, c.p, static_cast<int>(c.marks.size()), marks);
    EXPECT_EQ(q.q1, c.q1) << c.p;
    EXPECT_EQ(q.q2, c.q2) << c.p;
  }
}

TEST(AlternationCountTest, LongestRunsIncludeByesAndTheDummy) {
  const MarkTable marks = marks_of({1, 1, 2, 2, 2, 0, 1});
  TeamCounts runs{};
  longest_runs(3, 7, marks, runs);
  EXPECT_EQ(runs[1], 3);
  EXPECT_EQ(runs[2], 3);
  EXPECT_EQ(runs[3], 7);  // never plays: one run of 0 marks
}

TEST(EvaluateOrderTest, ThreeTeamsAlwaysCostThree) {
  // With two matches and one bye each team has exactly one break whatever
  // the order: 1 + 1 + 1.
  PairingTable table;
  table.n_team_even = 4;
  table.nv = 3;
  table.m = 1;
  table.mode = 2;
  const int pairs[3][2] = {{1, 2}, {3, 1}, {3, 2}};
  for (int r = 0; r < 3; ++r) {
    table.first[static_cast<std::size_t>(r)][0] = static_cast<std::uint8_t>(pairs[r][0]);
    table.second[static_cast<std::size_t>(r)][0] = static_cast<std::uint8_t>(pairs[r][1]);
  }
  index_pairings(table);
  EXPECT_EQ(table.bye_team[0], 3);
  EXPECT_EQ(table.bye_team[1], 2);
  EXPECT_EQ(table.bye_team[2], 1);
  const int orders[6][3] = {{1, 2, 3}, {1, 3, 2}, {2, 1, 3}, {2, 3, 1}, {3, 1, 2}, {3, 2, 1}};
  CostWorkspace work;
  for (const auto& o : orders) {
    RoundOrder order;
    for (int p = 0; p < 3; ++p) order.round[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(o[p]);
    MarkTable marks;
    TeamCounts counts{};
    EXPECT_EQ(evaluate_order_reference(order, table, marks, counts), 3.0);
    EXPECT_EQ(evaluate_order(order, table, work, counts), 3.0);
  }
}

TEST(EvaluateOrderTest, TwoTeamsCostNothing) {
  const PairingTable table = testing::round_robin(2);
  CostWorkspace work;
  TeamCounts counts{};
  EXPECT_EQ(evaluate_order(testing::identity_order(1), table, work, counts), 0.0);
}

TEST(EvaluateOrderTest, SumsSquaredCounts) {
  // Whatever the table, the cost is the sum of the squared per-team counts.
  const PairingTable table = testing::round_robin(8, 3);
  MarkTable marks;
  TeamCounts counts{};
  const double cost = evaluate_order_reference(testing::identity_order(7), table, marks, counts);
  double squares = 0.0;
  for (int t = 1; t <= 8; ++t) squares += counts[static_cast<std::size_t>(t)] * counts[static_cast<std::size_t>(t)];
  EXPECT_EQ(cost, squares);
  EXPECT_GT(cost, 0.0);
}

TEST(EvaluateOrderTest, BitTransposeMovesEveryBit) {
  std::array<std::uint64_t, 64> rows{};
  std::uint64_t state = 88172645463325252u;
  for (auto& row : rows) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    row = state;
  }
  const std::array<std::uint64_t, 64> original = rows;
  transpose_bits(rows);
  for (std::size_t i = 0; i < 64; ++i) {
    for (std::size_t j = 0; j < 64; ++j) {
      ASSERT_EQ((rows[j] >> i) & 1u, (original[i] >> j) & 1u) << i << "," << j;
    }
  }
}

// The fast evaluation must agree with the plain rule, cost and per-team
// counts, for every league size, both modes, many orders.
TEST(EvaluateOrderTest, FastAgreesWithTheRuleForEveryLeagueSize) {
  UniformRandom random;
  CostWorkspace work;
  MarkTable marks;
  for (int teams = 1; teams <= 99; ++teams) {
    for (unsigned flip : {0u, 1u, 7u}) {
      const PairingTable table = testing::round_robin(teams, flip);
      const int orders = teams < 12 || teams > 96 ? 30 : 4;
      for (int i = 0; i < orders; ++i) {
        const RoundOrder order = i == 0 ? testing::identity_order(table.nv) : random_order(table.nv, random);
        TeamCounts slow{};
        TeamCounts fast{};
        const double expected = evaluate_order_reference(order, table, marks, slow);
        ASSERT_EQ(evaluate_order(order, table, work, fast), expected) << teams << " teams, flip " << flip;
        ASSERT_EQ(fast, slow) << teams << " teams, flip " << flip;
        // Evaluating again gives the same cost.
        ASSERT_EQ(evaluate_order(order, table, work, fast), expected);
      }
    }
  }
}

}  // namespace
}  // namespace quintora::optimiser
