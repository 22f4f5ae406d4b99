#include "schedule/optimiser_exchange.h"

#include <gtest/gtest.h>

#include <utility>

namespace quintora::schedule {
namespace {

TEST(OptimiserInput, LayoutLeavesTheDummysPairingOut) {
  RoundTable t;
  build_round_table(t, 2);
  EXPECT_EQ(optimiser_input_text(t), "2  1  1  1\n2 1  \n");
  build_round_table(t, 3);
  EXPECT_EQ(optimiser_input_text(t), "4  3  1  2\n1 2  \n3 1  \n3 2  \n");
}

TEST(OptimiserOutput, AcceptsOnlyAPermutationOfTheRounds) {
  const std::pair<const char*, int> refused[] = {
      {"1\n2\n", 3}, {"", 3},     {"1\n1\n2\n", 3}, {"0\n1\n2\n", 3}, {"4\n1\n2\n", 3}, {"-1\n1\n2\n", 3},
      {"1\nx\n2\n", 3}, {"99999999999999999999\n1\n2\n", 3}, {"1\n", 0}, {"1\n", 100},
  };
  for (const auto& [text, nweek] : refused) {
    RoundOrder order;
    order.round[1] = 77;
    EXPECT_EQ(parse_round_order(text, nweek, order), ExchangeResult::Malformed) << '"' << text << '"';
    EXPECT_EQ(order.round[1], 77) << "a refused order leaves the old one";
  }
  RoundOrder order;
  ASSERT_EQ(parse_round_order("  3\n +1\n\t2\n99 and whatever follows", 3, order), ExchangeResult::Ok);
  EXPECT_EQ(order.round, (RoundOrder{{0, 3, 1, 2}}.round));
}

}  // namespace
}  // namespace quintora::schedule
