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

TEST(ReportFieldsTest, FieldsAndRecordRounding) {
  EXPECT_EQ(format_int(5, 2) + format_int(50, 2) + format_int(100, 2) + format_int(-123, 3), " 550*****");
  // value, its E14 field, what it reads back as from a record
  const std::tuple<double, const char*, double> cases[] = {
      {1234567.0, "   1.23457D+06", 1234570.0}, {1234565.0, "   1.23456D+06", 1234560.0},  // tie to even
      {1234575.0, "   1.23458D+06", 1234580.0}, {999999.5, "   1.00000D+06", 1000000.0},
      {3802501.0, "   3.80250D+06", 3802500.0}, {0.000125, "   1.25000D-04", 0.000125},
  };
  for (const auto& [value, text, stored] : cases) {
    EXPECT_EQ(format_e14(value), text) << value;
    EXPECT_EQ(stored_cost(value), stored) << value;
  }
  EXPECT_EQ(format_e14(1e100), "   1.00000+100");
  // 13! no longer fits a 32-bit integer.
  EXPECT_EQ(possibilities_text(12), "479001600");
  EXPECT_EQ(possibilities_text(13), "6227020800.0");
}

// What a run writes after the search, in its order: the last trace, the
// processor time, then (to the report only) the rounds' codes and the
// diagnostics of the best order. Rounds 1: 1-2, 2: 3-1, 3: 3-2; team 4 is the
// dummy. The notice of a raised factor is checked where whole runs write it.
TEST(ReportTest, TraceTimeAndDiagnosticsOfAnOddLeague) {
  std::ostringstream report, out;
  ReportSink sink{report, out};
  write_generation_trace(sink, 7, 12.0, RoundSequence{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}}, 11);
  write_cpu_time(sink, 0.5, 0.75);
  const PairingTable table = read_pairing_table("4 3 1 2\n1 2\n3 1\n3 2\n").table;
  write_round_codes(report, RoundSequence{{2, 1, 3}}, table);
  write_alternation_diagnostics(report, RoundSequence{{1, 2, 3}}, table);
  const std::string head = " AT GENERATION #     7, COST =   1.20000D+01\n";
  const std::string rounds = "    1    2    3    4    5    6    7    8    9   10\n   11\n CPU TIME = 0.25";
  EXPECT_EQ(report.str(),
            head + "  THE SOLUTION IS:\n" + rounds +
                "\n 31\n 12\n 32\n"
                " ALTERNATION VIOLATION: \n    1    1    1    0\n"
                "IND =     1    2    0    0\nIND =     2    0    1    0\nIND =     0    2    1    0\n"
                " CONSECTIVE NIGHTS: \nMAX =     1    1    2    3\n");
  EXPECT_EQ(out.str(), head + "   THE SOLUTION IS:\n" + rounds + " 0.5 0.75\n");
}

}  // namespace
}  // namespace quintora::optimiser
