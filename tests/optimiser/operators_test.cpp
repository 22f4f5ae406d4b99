#include "optimiser/operators.h"

#include <gtest/gtest.h>

#include <string>

namespace quintora::optimiser {
namespace {

std::string digits_of(const RoundSequence& order, std::size_t nv) {
  std::string digits;
  for (std::size_t p = 0; p < nv; ++p) digits += static_cast<char>('0' + order.round[p]);
  return digits;
}

// The operators that change an order are checked by whole runs against the
// independent model (zorav_test); the ties of the keys are not met there.
TEST(OperatorTest, RandomKeysListIndicesByAscendingKey) {
  EXPECT_EQ(digits_of(order_from_keys({0.5, 0.2, 0.9}, 3), 3), "213");
  EXPECT_EQ(digits_of(order_from_keys({0.3, 0.3, 0.1}, 3), 3), "312");  // equal keys: lower index first
}

}  // namespace
}  // namespace quintora::optimiser
