// quintora-cli report, end to end on the example leagues: byte for byte what
// the report library writes of the same build (its own tests hold the numbers
// and the layout). Its refusals are with the schedule command's.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "cli_runner.h"
#include "report/fairness.h"

namespace quintora {
namespace {

class CliReport : public test::CliRunner,
                  public ::testing::WithParamInterface<std::tuple<const char*, int>> {};

TEST_P(CliReport, JsonAndTextAreTheLibrarysReportOfTheSameBuild) {
  const auto [file, effort] = GetParam();
  const report::Fairness expected = report::assess(test::library_season(test::example(file), effort));
  ASSERT_EQ(cli("report", test::example(file), "--json " + test::build_arguments(effort)), 0) << err;
  EXPECT_EQ(out + err, report::as_json(expected));
  ASSERT_EQ(cli("report", test::example(file), test::build_arguments(effort)), 0) << err;
  EXPECT_EQ(out + err, report::as_text(expected));
  EXPECT_TRUE(std::filesystem::is_empty(work_)) << "the report writes no file";
}

INSTANTIATE_TEST_SUITE_P(ExamplesAndEfforts, CliReport,
                         ::testing::Combine(::testing::Values("spring-league.sch", "odd-league.sch",
                                                              "county-league.sch"),
                                            ::testing::Range(0, 5)));

}  // namespace
}  // namespace quintora
