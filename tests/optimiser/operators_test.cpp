#include "optimiser/operators.h"

#include <gtest/gtest.h>

#include <vector>

namespace quintora::optimiser {
namespace {

// The operators that change an order are checked by whole runs against the
// independent model (zorav_test); the ties of the keys are not met there.
TEST(OperatorTest, RandomKeysListIndicesByAscendingKeyLowerIndexFirst) {
  const RoundSequence order = order_from_keys({0.5, 0.2, 0.9, 0.2}, 4);
  EXPECT_EQ(std::vector<int>(order.round.begin(), order.round.begin() + 4), (std::vector<int>{2, 4, 1, 3}));
}

}  // namespace
}  // namespace quintora::optimiser
