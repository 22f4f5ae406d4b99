#include "optimiser/report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>

#include "optimiser/exchange_files.h"
#include "optimiser/population.h"
#include "optimiser/report_fields.h"

namespace quintora::optimiser {
namespace {

struct Captured {
  std::ostringstream report, out;
  ReportSink sink{report, out};
};

TEST(ReportFieldsTest, FieldsAndRecordRounding) {
  EXPECT_EQ(format_int(5, 2) + format_int(50, 2) + format_int(100, 2) + format_int(-123, 3), " 550*****");
  // value, its E14 field, what it reads back as from a record
  const std::tuple<double, const char*, double> cases[] = {
      {12.0, "   1.20000D+01", 12.0},           {0.0, "   0.00000D+00", 0.0},
      {1234567.0, "   1.23457D+06", 1234570.0}, {1234565.0, "   1.23456D+06", 1234560.0},  // tie to even
      {1234575.0, "   1.23458D+06", 1234580.0}, {999999.5, "   1.00000D+06", 1000000.0},
      {3802501.0, "   3.80250D+06", 3802500.0}, {0.000125, "   1.25000D-04", 0.000125},
  };
  for (const auto& [value, text, stored] : cases) {
    EXPECT_EQ(format_e14(value), text) << value;
    EXPECT_EQ(stored_cost(value), stored) << value;
  }
  EXPECT_EQ(format_e14(1e100), "   1.00000+100");
  EXPECT_EQ(FreeFormLine().text("A =").whole(120).real(0.25).real(6227020800.0).str(),
            " A = 120 0.25 6227020800.0");
}

TEST(ReportTest, SummaryOfFiveRoundsAndPossibilities) {
  Captured c;
  report_best_solution(c.sink, RoundSequence{{3, 1, 5, 2, 4}}, 12.0, 5, 51);
  const std::string rule = "       ##################################################\n";
  const std::string gap = "       #                                                #\n";
  EXPECT_EQ(c.report.str(), " THE BEST SOLUTION FOUND IS :\n\n" + rule + gap +
                                "       #                USABLE SOLUTION                 #\n" + gap + rule +
                                "       # COST                     =   1.20000D+01       #\n"
                                "       # ---------------------------------------------- #\n"
                                "       # DESIGN VARIABLE (  1)        =    3            #\n"
                                "       # DESIGN VARIABLE (  2)        =    1            #\n"
                                "       # DESIGN VARIABLE (  3)        =    5            #\n"
                                "       # DESIGN VARIABLE (  4)        =    2            #\n"
                                "       # DESIGN VARIABLE (  5)        =    4            #\n" +
                                gap + rule +
                                " NUMBER OF POSSIBILITIES =  120\n NUMBER OF FUNCTION EVALUATIONS =  51\n");
  EXPECT_EQ(c.out.str(), c.report.str());
  EXPECT_EQ(possibilities_text(12), "479001600");
  EXPECT_EQ(possibilities_text(13), "6227020800.0");
}

TEST(ReportTest, GenerationTraceNoticeAndTime) {
  Captured c;
  write_generation_trace(c.sink, 7, 12.0, RoundSequence{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}}, 11);
  const std::string rounds = "    1    2    3    4    5    6    7    8    9   10\n   11\n";
  EXPECT_EQ(c.report.str(), " AT GENERATION #     7, COST =   1.20000D+01\n  THE SOLUTION IS:\n" + rounds);
  EXPECT_EQ(c.out.str(), " AT GENERATION #     7, COST =   1.20000D+01\n   THE SOLUTION IS:\n" + rounds);
  Captured t;
  write_increase_notice(t.sink);
  write_cpu_time(t.sink, 0.5, 0.75);
  EXPECT_EQ(t.report.str(), " \n *** POSSIBILITY OF PERMUTATION IS INCREASED ***\n \n CPU TIME = 0.25\n");
  EXPECT_EQ(t.out.str(),
            " \n *** POSSIBILITY OF PERMUTATION IS INCREASED ***\n \n CPU TIME = 0.25 0.5 0.75\n");
}

TEST(ReportTest, DiagnosticsOfAnOddLeague) {
  // Rounds 1: 1-2, 2: 3-1, 3: 3-2; team 4 is the dummy.
  const PairingTable table = read_pairing_table("4 3 1 2\n1 2\n3 1\n3 2\n").table;
  std::ostringstream report;
  write_round_codes(report, RoundSequence{{2, 1, 3}}, table);
  write_alternation_diagnostics(report, RoundSequence{{1, 2, 3}}, table);
  EXPECT_EQ(report.str(),
            " 31\n 12\n 32\n"
            " ALTERNATION VIOLATION: \n    1    1    1    0\n"
            "IND =     1    2    0    0\nIND =     2    0    1    0\nIND =     0    2    1    0\n"
            " CONSECTIVE NIGHTS: \nMAX =     1    1    2    3\n");
}

}  // namespace
}  // namespace quintora::optimiser
