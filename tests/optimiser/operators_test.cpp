#include "optimiser/operators.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

namespace quintora::optimiser {
namespace {

RoundOrder order_of(std::vector<int> rounds) {
  RoundOrder order;
  for (std::size_t i = 0; i < rounds.size(); ++i) order.round[i] = static_cast<std::uint8_t>(rounds[i]);
  return order;
}

std::vector<int> rounds_of(const RoundOrder& order, int nv) {
  return std::vector<int>(order.round.begin(), order.round.begin() + nv);
}

bool is_permutation_of_rounds(const RoundOrder& order, int nv) {
  std::vector<int> rounds = rounds_of(order, nv);
  std::sort(rounds.begin(), rounds.end());
  for (int i = 0; i < nv; ++i) {
    if (rounds[static_cast<std::size_t>(i)] != i + 1) return false;
  }
  return true;
}

struct ChangeCase {
  const char* name;
  std::vector<int> before;
  char op;  // 'i' invert, 'x' exchange, 'm' move
  int a;
  int b;
  std::vector<int> after;
};

TEST(OperatorTest, ChangesOfAnOrder) {
  const ChangeCase cases[] = {
      {"invert whole", {2, 3, 1}, 'i', 1, 3, {1, 3, 2}},
      {"invert one position", {2, 3, 1}, 'i', 2, 2, {2, 3, 1}},
      {"invert middle", {1, 2, 3, 4, 5}, 'i', 2, 4, {1, 4, 3, 2, 5}},
      {"exchange", {1, 2, 3, 4}, 'x', 1, 4, {4, 2, 3, 1}},
      {"exchange same", {1, 2, 3, 4}, 'x', 3, 3, {1, 2, 3, 4}},
      {"move to the end", {1, 2, 3, 4}, 'm', 2, 5, {1, 3, 4, 2}},
      {"move to the front", {1, 2, 3, 4}, 'm', 4, 1, {4, 1, 2, 3}},
      {"move before next", {1, 2, 3, 4}, 'm', 2, 3, {1, 2, 3, 4}},
      {"move onto itself", {1, 2, 3, 4}, 'm', 2, 2, {1, 2, 3, 4}},
      {"move forward inside", {1, 2, 3, 4, 5}, 'm', 1, 4, {2, 3, 1, 4, 5}},
      {"move back inside", {1, 2, 3, 4, 5}, 'm', 4, 2, {1, 4, 2, 3, 5}},
  };
  for (const ChangeCase& c : cases) {
    RoundOrder order = order_of(c.before);
    const int nv = static_cast<int>(c.before.size());
    if (c.op == 'i') reverse_positions(order, c.a, c.b);
    if (c.op == 'x') exchange_positions(order, c.a, c.b);
    if (c.op == 'm') move_position(order, c.a, c.b, nv);
    EXPECT_EQ(rounds_of(order, nv), c.after) << c.name;
  }
}

TEST(OperatorTest, RandomKeysListIndicesByAscendingKey) {
  const struct {
    std::vector<double> keys;
    std::vector<int> order;
  } cases[] = {
      {{0.5, 0.2, 0.9}, {2, 1, 3}},
      {{0.3, 0.3, 0.1}, {3, 1, 2}},  // equal keys: lower index first
      {{0.0}, {1}},
      {{0.9, 0.8, 0.7, 0.6}, {4, 3, 2, 1}},
  };
  for (const auto& c : cases) {
    std::array<double, max_rounds> keys{};
    std::copy(c.keys.begin(), c.keys.end(), keys.begin());
    const int nv = static_cast<int>(c.keys.size());
    EXPECT_EQ(rounds_of(order_from_keys(keys, nv), nv), c.order);
  }
}

TEST(OperatorTest, RandomOrderUsesTheFirstDraws) {
  // Draws 0.2677, 0.3590, 0.6151 are already ascending; the next three
  // orders of NV = 3 start from the fourth draw.
  UniformRandom random;
  EXPECT_EQ(rounds_of(random_order(3, random), 3), (std::vector<int>{1, 2, 3}));
  for (int nv : {1, 2, 7, 99}) {
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(is_permutation_of_rounds(random_order(nv, random), nv));
  }
}

TEST(OperatorTest, CountsFollowThePermutationFactor) {
  const OperatorCounts low = operator_counts(0.3);
  EXPECT_EQ(low.invert, 1);
  EXPECT_EQ(low.exchange, 4);
  EXPECT_EQ(low.move, 4);
  EXPECT_EQ(low.neighbours, 4);
  const OperatorCounts high = operator_counts(0.6);
  EXPECT_EQ(high.invert, 3);
  EXPECT_EQ(high.exchange, 9);
  EXPECT_EQ(high.move, 9);
  EXPECT_EQ(high.neighbours, 9);
  const OperatorCounts tiny = operator_counts(0.001);
  EXPECT_EQ(tiny.invert, 1);  // never fewer than one
  EXPECT_EQ(tiny.exchange, 1);
}

TEST(OperatorTest, ApplicationDrawsRecordThenPositions) {
  // The first draws pick record 14 (50 * 0.2677 -> 13.4), then positions
  // 3 * 0.359 -> 2 and 3 * 0.615 -> 2: a one-position segment, no change,
  // but the record still loses its evaluation.
  PopulationStore store;
  for (Individual& individual : store.record) {
    individual.evaluated = 1;
    individual.cost = 5.0;
    individual.order = order_of({1, 2, 3});
  }
  UniformRandom random;
  invert_segment(store, 3, random);
  for (int j = 0; j < population_size; ++j) {
    const Individual& individual = store.record[static_cast<std::size_t>(j)];
    EXPECT_EQ(individual.evaluated, j == 13 ? 0 : 1) << j;
    EXPECT_EQ(individual.cost, j == 13 ? 0.0 : 5.0) << j;
    EXPECT_EQ(rounds_of(individual.order, 3), (std::vector<int>{1, 2, 3}));
  }
}

TEST(OperatorTest, ApplicationsKeepEveryOrderAPermutation) {
  for (int nv : {1, 2, 3, 10, 99}) {
    PopulationStore store;
    UniformRandom random;
    for (Individual& individual : store.record) individual.order = random_order(nv, random);
    for (int generation = 0; generation < 50; ++generation) {
      apply_operators(store, nv, generation < 25 ? 0.3 : 0.6, random);
    }
    for (const Individual& individual : store.record) ASSERT_TRUE(is_permutation_of_rounds(individual.order, nv)) << nv;
  }
}

}  // namespace
}  // namespace quintora::optimiser
