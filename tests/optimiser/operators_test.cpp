#include "optimiser/operators.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace quintora::optimiser {
namespace {

// Orders of up to nine rounds written as digits: "231" is 2 3 1.
RoundSequence order_of(const std::string& digits) {
  RoundSequence order;
  for (std::size_t i = 0; i < digits.size(); ++i) order.round[i] = static_cast<std::uint8_t>(digits[i] - '0');
  return order;
}

std::string digits_of(const RoundSequence& order, std::size_t nv) {
  std::string digits;
  for (std::size_t p = 0; p < nv; ++p) digits += static_cast<char>('0' + order.round[p]);
  return digits;
}

TEST(OperatorTest, ChangesOfAnOrder) {
  const std::tuple<std::string, char, int, int, std::string> cases[] = {
      {"231", 'i', 1, 3, "132"},     {"231", 'i', 2, 2, "231"},     {"12345", 'i', 2, 4, "14325"},
      {"1234", 'x', 1, 4, "4231"},   {"1234", 'x', 3, 3, "1234"},   {"1234", 'm', 2, 5, "1342"},
      {"1234", 'm', 4, 1, "4123"},   {"1234", 'm', 2, 3, "1234"},   {"1234", 'm', 2, 2, "1234"},
      {"12345", 'm', 1, 4, "23145"}, {"12345", 'm', 4, 2, "14235"},
  };
  for (const auto& [before, op, a, b, after] : cases) {  // invert, exchange, move
    RoundSequence order = order_of(before);
    if (op == 'i') reverse_positions(order, a, b);
    if (op == 'x') exchange_positions(order, a, b);
    if (op == 'm') move_position(order, a, b, static_cast<int>(before.size()));
    EXPECT_EQ(digits_of(order, before.size()), after) << before << op << a << b;
  }
}

TEST(OperatorTest, RandomKeysListIndicesByAscendingKey) {
  EXPECT_EQ(digits_of(order_from_keys({0.5, 0.2, 0.9}, 3), 3), "213");
  EXPECT_EQ(digits_of(order_from_keys({0.3, 0.3, 0.1}, 3), 3), "312");  // equal keys: lower index first
}

}  // namespace
}  // namespace quintora::optimiser
