#include "optimiser/cost.h"

#include <gtest/gtest.h>

#include <numeric>

#include "optimiser/exchange_files.h"
#include "optimiser/operators.h"
#include "round_robin.h"

namespace quintora::optimiser {
namespace {

// The fast evaluation agrees with the plain rule, cost and per-team counts,
// for every league size, both modes, many orders; the cost is the sum of the
// squared counts.
TEST(EvaluateOrderTest, FastAgreesWithTheRuleForEveryLeagueSize) {
  UniformRandom random;
  CostWorkspace work;
  MarkTable marks;
  for (int teams = 1; teams <= 99; ++teams) {
    for (int flip : {0, 1, 7}) {
      const InputReadResult in = read_pairing_table(testing::round_robin_text(teams, flip));
      ASSERT_EQ(in.status, InputStatus::Ok) << teams << ": " << in.message;
      for (int i = 0; i < (teams < 12 || teams > 96 ? 30 : 4); ++i) {
        RoundSequence order = random_order(in.table.nv, random);
        if (i == 0) std::iota(order.round.begin(), order.round.begin() + in.table.nv, std::uint8_t{1});
        TeamCounts slow{}, fast{};
        const double cost = evaluate_order_reference(order, in.table, marks, slow);
        ASSERT_EQ(evaluate_order(order, in.table, work, fast), cost) << teams << " teams, flip " << flip;
        ASSERT_EQ(fast, slow) << teams << " teams, flip " << flip;
        ASSERT_EQ(cost, std::inner_product(slow.begin(), slow.end(), slow.begin(), 0.0));
      }
    }
  }
}

}  // namespace
}  // namespace quintora::optimiser
