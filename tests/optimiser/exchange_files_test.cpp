#include "optimiser/exchange_files.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "round_robin.h"

namespace quintora::optimiser {
namespace {

TEST(InputReaderTest, ReadsWhatTheScheduleRunWrites) {
  for (int teams : {1, 2, 3, 4, 7, 10, 51, 98, 99}) {
    const PairingTable expected = testing::round_robin(teams, 5);
    const InputReadResult in = read_pairing_table(testing::input_text(expected));
    ASSERT_EQ(in.status, InputStatus::Ok) << teams << ": " << in.message;
    EXPECT_EQ(in.rounds_read, expected.nv);
    EXPECT_EQ(in.table.n_team_even, expected.n_team_even);
    EXPECT_EQ(in.table.nv, expected.nv);
    EXPECT_EQ(in.table.m, expected.m);
    EXPECT_EQ(in.table.mode, expected.mode);
    EXPECT_EQ(in.table.first, expected.first);
    EXPECT_EQ(in.table.second, expected.second);
    EXPECT_EQ(in.table.bye_team, expected.bye_team) << teams;
  }
}

struct ReadCase {
  const char* name;
  const char* text;
  InputStatus status;
  const char* message_part;  // for failures
};

TEST(InputReaderTest, FreeFormAndFailures) {
  const ReadCase cases[] = {
      {"two teams", "2  1  1  1\n2 1  \n", InputStatus::Ok, ""},
      {"three teams, bye left out", "4 3 1 2\n1 2\n3 1\n3 2\n", InputStatus::Ok, ""},
      {"one team: no matches", "2  1  0  2\n\n", InputStatus::Ok, ""},
      {"one team, no round lines", "2 1 0 2\n", InputStatus::Ok, ""},
      {"surplus ignored, next round on next line", "4 3 1 2\n1 2 9 9 x\n3 1\n3 2\n", InputStatus::Ok, ""},
      {"header over two lines", "4 3\n1 2 junk\n1 2\n3 1\n3 2\n", InputStatus::Ok, ""},
      {"round over two lines", "4 3 2 1\n4 3\n1 2\n2 4 3 1\n4 1 3 2\n", InputStatus::Ok, ""},
      {"windows line ends and tabs", "4\t3 1 2\r\n1 2\r\n3\t1\r\n+3 2\r\n", InputStatus::Ok, ""},
      {"other mode behaves as even", "4 3 2 7\n4 3 1 2\n2 4 3 1\n4 1 3 2\n", InputStatus::Ok, ""},
      {"empty", "", InputStatus::BadInput, "HEADER ENDS EARLY"},
      {"short header", "4 3 1\n", InputStatus::BadInput, "HEADER ENDS EARLY"},
      {"letters in header", "4 three 1 2\n", InputStatus::BadInput, "\"three\" IS NOT AN INTEGER"},
      {"real in header", "4 3.0 1 2\n", InputStatus::BadInput, "IS NOT AN INTEGER"},
      {"huge number", "99999999999999999999 3 1 2\n", InputStatus::BadInput, "IS NOT AN INTEGER"},
      {"NV above 99", "200 199 100 1\n", InputStatus::TooManyRounds, "NV MUST BE LESS THAN OR EQUAL TO  99"},
      {"odd team count", "5 4 2 1\n", InputStatus::BadInput, "TEAM COUNT 5"},
      {"team count 0", "0 -1 0 1\n", InputStatus::BadInput, "TEAM COUNT 0"},
      {"team count above 100", "102 99 51 1\n", InputStatus::BadInput, "TEAM COUNT 102"},
      {"NV not team count - 1", "4 2 2 1\n", InputStatus::BadInput, "NV 2"},
      {"pairings do not fit", "4 3 1 1\n", InputStatus::BadInput, "PAIRINGS PER ROUND 1 MUST BE 2"},
      {"short input", "4 3 1 2\n1 2\n3 1\n", InputStatus::BadInput, "ROUND 3 ENDS EARLY"},
      {"short round", "4 3 2 1\n4 3 1\n", InputStatus::BadInput, "ROUND 1 ENDS EARLY"},
      {"letter in round", "4 3 1 2\n1 2\n3 x\n3 2\n", InputStatus::BadInput, "LINE 3: \"x\" IS NOT AN INTEGER"},
      {"team 0", "4 3 1 2\n0 2\n3 1\n3 2\n", InputStatus::BadInput, "TEAM 0 NOT IN 1..3"},
      {"dummy named in odd league", "4 3 1 2\n4 2\n3 1\n3 2\n", InputStatus::BadInput, "TEAM 4 NOT IN 1..3"},
      {"team too high", "4 3 2 1\n4 5 1 2\n", InputStatus::BadInput, "TEAM 5 NOT IN 1..4"},
      {"team against itself", "4 3 1 2\n2 2\n3 1\n3 2\n", InputStatus::BadInput, "TEAM 2 PLAYS TWICE"},
      {"team twice in a round", "4 3 2 1\n4 3 1 4\n", InputStatus::BadInput, "TEAM 4 PLAYS TWICE"},
      {"pair meets again", "4 3 1 2\n1 2\n2 1\n3 2\n", InputStatus::BadInput, "TEAMS 2 AND 1 MEET AGAIN"},
  };
  for (const ReadCase& c : cases) {
    const InputReadResult in = read_pairing_table(c.text);
    EXPECT_EQ(in.status, c.status) << c.name << ": " << in.message;
    EXPECT_NE(in.message.find(c.message_part), std::string::npos) << c.name << ": " << in.message;
  }
}

TEST(InputReaderTest, HeaderAndRoundsReadBeforeAFailureAreKnown) {
  const InputReadResult in = read_pairing_table("4 3 1 2\n1 2\n3 1\n");
  EXPECT_TRUE(in.header_read);
  EXPECT_EQ(in.header, (std::array<long long, 4>{4, 3, 1, 2}));
  EXPECT_EQ(in.rounds_read, 2);
  const InputReadResult big = read_pairing_table("200 199 100 1\n");
  EXPECT_TRUE(big.header_read);
  EXPECT_EQ(big.rounds_read, 0);
}

TEST(OrderWriterTest, OneRoundPerLine) {
  const auto folder = std::filesystem::temp_directory_path() /
                      ("quintora_order_writer_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(folder);
  RoundOrder order;
  order.round[0] = 3;
  order.round[1] = 1;
  order.round[2] = 2;
  ASSERT_TRUE(write_round_order(folder / "optimal.out", order, 3));
  std::ifstream in(folder / "optimal.out");
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), " 3\n 1\n 2\n");
  EXPECT_FALSE(write_round_order(folder / "missing" / "optimal.out", order, 3));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quintora::optimiser
