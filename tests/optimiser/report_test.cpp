#include "optimiser/report.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "round_robin.h"

namespace quintora::optimiser {
namespace {

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

RoundOrder order_of(std::initializer_list<int> rounds) {
  RoundOrder order;
  std::size_t i = 0;
  for (int r : rounds) order.round[i++] = static_cast<std::uint8_t>(r);
  return order;
}

struct Captured {
  std::ostringstream report;
  std::ostringstream out;
  ReportSink sink{report, out};
};

TEST(ReportTest, SummaryOfFiveRounds) {
  Captured c;
  report_best_solution(c.sink, order_of({3, 1, 5, 2, 4}), 12.0, 5, 51);
  const std::vector<std::string> expected = {
      " THE BEST SOLUTION FOUND IS :",
      "",
      "       ##################################################",
      "       #                                                #",
      "       #                USABLE SOLUTION                 #",
      "       #                                                #",
      "       ##################################################",
      "       # COST                     =   1.20000D+01       #",
      "       # ---------------------------------------------- #",
      "       # DESIGN VARIABLE (  1)        =    3            #",
      "       # DESIGN VARIABLE (  2)        =    1            #",
      "       # DESIGN VARIABLE (  3)        =    5            #",
      "       # DESIGN VARIABLE (  4)        =    2            #",
      "       # DESIGN VARIABLE (  5)        =    4            #",
      "       #                                                #",
      "       ##################################################",
      " NUMBER OF POSSIBILITIES =  120",
      " NUMBER OF FUNCTION EVALUATIONS =  51",
  };
  EXPECT_EQ(lines_of(c.report.str()), expected);
  EXPECT_EQ(c.out.str(), c.report.str());
  for (std::size_t i = 2; i < 16; ++i) EXPECT_EQ(expected[i].size(), 57u) << i;
}

TEST(ReportTest, PossibilitiesTurnRealAtThirteen) {
  EXPECT_EQ(possibilities_text(1), "1");
  EXPECT_EQ(possibilities_text(12), "479001600");
  EXPECT_EQ(possibilities_text(13), "6227020800.0");
}

TEST(ReportTest, TraceOfAGeneration) {
  Captured c;
  write_generation_trace(c.sink, 7, 12.0, order_of({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}), 11);
  EXPECT_EQ(c.report.str(),
            " AT GENERATION #     7, COST =   1.20000D+01\n"
            "  THE SOLUTION IS:\n"
            "    1    2    3    4    5    6    7    8    9   10\n"
            "   11\n");
  EXPECT_EQ(c.out.str(),
            " AT GENERATION #     7, COST =   1.20000D+01\n"
            "   THE SOLUTION IS:\n"
            "    1    2    3    4    5    6    7    8    9   10\n"
            "   11\n");
  Captured five;
  write_generation_trace(five.sink, 1234567, 0.5, order_of({3, 1, 5, 2, 4}), 5);
  EXPECT_EQ(lines_of(five.report.str())[0], " AT GENERATION #******, COST =   5.00000D-01");
  EXPECT_EQ(lines_of(five.report.str())[2], "    3    1    5    2    4");
}

TEST(ReportTest, StopMessages) {
  const struct {
    StopRule rule;
    int stall;
    const char* text;
  } cases[] = {
      {StopRule::Target, 5, " \n TARGET COST VALUE IS REACHED. PROGRAM STOPS.\n"},
      {StopRule::Stall, 5, " \n SOLUTION IS NOT IMPROVED IN THE\n LAST  5 GENERATIONS. PROGRAM STOPS.\n"},
      {StopRule::Stall, 50, " \n SOLUTION IS NOT IMPROVED IN THE\n LAST 50 GENERATIONS. PROGRAM STOPS.\n"},
      {StopRule::Limit, 10, " \n ITERATION LIMIT EXCEEDED. PROGRAM STOPS.\n"},
  };
  for (const auto& c : cases) {
    Captured captured;
    write_stop_message(captured.sink, c.rule, c.stall);
    EXPECT_EQ(captured.report.str(), c.text);
    EXPECT_EQ(captured.out.str(), c.text);
  }
}

TEST(ReportTest, IncreaseNoticeAndCpuTime) {
  Captured c;
  write_increase_notice(c.sink);
  EXPECT_EQ(c.report.str(), " \n *** POSSIBILITY OF PERMUTATION IS INCREASED ***\n \n");
  EXPECT_EQ(c.out.str(), c.report.str());
  Captured t;
  write_cpu_time(t.sink, 0.5, 0.75);
  EXPECT_EQ(t.report.str(), " CPU TIME = 0.25\n");
  EXPECT_EQ(t.out.str(), " CPU TIME = 0.25 0.5 0.75\n");
}

TEST(ReportTest, DiagnosticsOfAnOddLeague) {
  // Three teams and the dummy; order 1 2 3 of round 1: 1-2, 2: 3-1, 3: 3-2.
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
  std::ostringstream report;
  write_round_codes(report, order_of({2, 1, 3}), table);
  EXPECT_EQ(report.str(), " 31\n 12\n 32\n");
  std::ostringstream diagnostics;
  write_alternation_diagnostics(diagnostics, order_of({1, 2, 3}), table);
  EXPECT_EQ(diagnostics.str(),
            " ALTERNATION VIOLATION: \n"
            "    1    1    1    0\n"
            "IND =     1    2    0    0\n"
            "IND =     2    0    1    0\n"
            "IND =     0    2    1    0\n"
            " CONSECTIVE NIGHTS: \n"
            "MAX =     1    1    2    3\n");
}

TEST(ReportTest, LongTeamLinesWrapAtThirty) {
  std::ostringstream stream;
  std::vector<int> values(31, 1);
  write_i5_lines(stream, values.data(), 31, 30, "MAX = ");
  const std::vector<std::string> lines = lines_of(stream.str());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 6u + 150u);
  EXPECT_EQ(lines[1], "          1");
}

}  // namespace
}  // namespace quintora::optimiser
