#include "schedule/optimiser_exchange.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace quintora::schedule {
namespace {

TEST(OptimiserInput, LayoutForEvenAndOddLeagues) {
  RoundTable two;
  build_round_table(two, 2);
  EXPECT_EQ(optimiser_input_text(two), "2  1  1  1\n2 1  \n");

  RoundTable three;  // the dummy's pairing is left out of every line
  build_round_table(three, 3);
  EXPECT_EQ(optimiser_input_text(three), "4  3  1  2\n1 2  \n3 1  \n3 2  \n");

  RoundTable six;
  build_round_table(six, 6);
  EXPECT_EQ(optimiser_input_text(six).substr(0, 25), "6  5  3  1\n6 5  1 3  2 4 ");
}

TEST(OptimiserOutput, AcceptsOnlyAPermutationOfTheRounds) {
  struct Case {
    const char* text;
    int nweek;
    bool ok;
  };
  const Case cases[] = {
      {"   3\n   1\n   2\n", 3, true},
      {"1", 1, true},
      {" 2 1 3 ", 3, true},
      {"2\n1\n3\n99 anything after the order\n", 3, true},
      {"+2\n1\n3\n", 3, true},
      {"1\n2\n", 3, false},            // short
      {"", 3, false},                  // empty
      {"1\n1\n2\n", 3, false},         // a round twice
      {"0\n1\n2\n", 3, false},         // below the range
      {"4\n1\n2\n", 3, false},         // above the range
      {"-1\n1\n2\n", 3, false},        // negative
      {"1\nx\n2\n", 3, false},         // not a number
      {"99999999999999999999\n1\n2\n", 3, false},
      {"1\n", 0, false},               // no rounds to order
      {"1\n", 100, false},             // more rounds than a table holds
  };
  for (const auto& c : cases) {
    RoundOrder order;
    order.round[1] = 77;
    const auto result = parse_round_order(c.text, c.nweek, order);
    EXPECT_EQ(result == ExchangeResult::Ok, c.ok) << '"' << c.text << '"';
    if (!c.ok) {
      EXPECT_EQ(order.round[1], 77) << "a refused order leaves the old one";
    }
  }
  RoundOrder order;
  ASSERT_EQ(parse_round_order("  3\n  1\n  2\n", 3, order), ExchangeResult::Ok);
  EXPECT_EQ(order.round[1], 3);
  EXPECT_EQ(order.round[2], 1);
  EXPECT_EQ(order.round[3], 2);
}

TEST(OptimiserExchange, FilesRoundTripAndMissingFilesAreReported) {
  const auto folder = std::filesystem::temp_directory_path() / "quintora-exchange-test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);

  RoundTable table;
  build_round_table(table, 5);
  ASSERT_EQ(write_optimiser_input(folder / "optimal.inp", table), ExchangeResult::Ok);
  std::ifstream in(folder / "optimal.inp");
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(all, optimiser_input_text(table));

  EXPECT_EQ(write_optimiser_input(folder / "no-such-folder" / "optimal.inp", table), ExchangeResult::NotWritable);

  RoundOrder order;
  EXPECT_EQ(read_round_order(folder / "optimal.out", 5, order), ExchangeResult::NotReadable);
  std::ofstream(folder / "optimal.out") << " 5\n 4\n 3\n 2\n 1\n";
  EXPECT_EQ(read_round_order(folder / "optimal.out", 5, order), ExchangeResult::Ok);
  EXPECT_EQ(order.round[1], 5);
  EXPECT_EQ(read_round_order(folder / "optimal.out", 6, order), ExchangeResult::Malformed);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quintora::schedule
