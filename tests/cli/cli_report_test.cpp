// quintora-cli report, end to end on the example leagues: the program's
// numbers are those the report library counts for the same build.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "base/messages.h"
#include "base/null_window_system.h"
#include "cli_runner.h"
#include "league/league_file.h"
#include "report/fairness.h"
#include "schedule/schedule_options.h"
#include "schedule/schedule_run.h"

namespace quintora {
namespace {

namespace fs = std::filesystem;

std::string read_file(const fs::path& path) { return test::read_text_file(path); }

const char* const examples[] = {"spring-league.sch", "odd-league.sch", "county-league.sch"};

// The report of `example` as the library counts it, built in this process as
// `schedule` would build it: effort 0 stands for Fairest.
std::optional<report::Fairness> library_report(const std::string& example, int effort) {
  auto league = std::make_unique<League>();
  base::Notices notices;
  const fs::path path = fs::path(QUINTORA_EXAMPLES) / example;
  if (read_league_file(*league, path.string(), ReadMode::Open, notices) != ReadResult::Success) return {};
  schedule::ScheduleOptions options;
  options.season_weeks = schedule::default_season_weeks(league->n_team);
  options.fairest = effort == 0;
  options.effort = effort == 0 ? 2 : effort;
  schedule::ScheduleRun run;
  run.start_viewer = false;
  base::NullWindowSystem ws;
  const int result = schedule::build_season(*league, options, run, ws);
  schedule::finish_run(result, options, run, ws);
  if (result != 1) return {};
  return report::assess(run.season);
}

class CliReport : public test::CliRunner {
 protected:
  // Runs "quintora-cli report ARGUMENTS".
  int report(const std::string& arguments) { return cli("report " + arguments); }
  static std::string example(const char* file) {
    return '"' + (fs::path(QUINTORA_EXAMPLES) / file).string() + '"';
  }
};

class CliReportExamples : public CliReport, public ::testing::WithParamInterface<std::tuple<int, int>> {};

// Byte for byte what the report library writes of the same build; the
// library's tests hold its layout and escaping.
TEST_P(CliReportExamples, JsonIsTheLibrarysReportOfTheSameBuild) {
  const auto [e, effort] = GetParam();
  const std::string how = effort == 0 ? "--fair" : "--effort " + std::to_string(effort);
  ASSERT_EQ(report(example(examples[e]) + " --json " + how), 0) << err;
  EXPECT_EQ(err, "");
  const std::optional<report::Fairness> expected = library_report(examples[e], effort);
  ASSERT_TRUE(expected);
  EXPECT_EQ(out, report::as_json(*expected));
  if (effort == 0) {
    EXPECT_EQ(expected->total_breaks, expected->minimum_breaks);
    for (const report::BarLine& bar : expected->bars) EXPECT_EQ(bar.weeks_over_tables, 0) << bar.name;
  }
  EXPECT_TRUE(fs::is_empty(work_)) << "the report writes no file";
  EXPECT_TRUE(fs::is_empty(temp_)) << "the optimiser's work folder must be gone";
}

INSTANTIATE_TEST_SUITE_P(ExamplesAndEfforts, CliReportExamples,
                         ::testing::Combine(::testing::Range(0, 3), ::testing::Range(0, 5)));

TEST_F(CliReport, TextEndsWithTheBreaksAgainstTheFewestPossible) {
  ASSERT_EQ(report(example("spring-league.sch") + " --fair --variant 3"), 0) << err;
  EXPECT_TRUE(out.starts_with("No.  Team  ")) << out;
  EXPECT_NE(out.find("\nNo.  Bar  "), std::string::npos) << out;
  EXPECT_TRUE(out.ends_with("\n\nBreaks: 18 (fewest possible: 18)\n")) << out;
  ASSERT_EQ(report(example("odd-league.sch") + " --weeks 0"), 0) << err;
  EXPECT_TRUE(out.ends_with("\n\nBreaks: 0 (fewest possible: 0)\n")) << out;
}

TEST_F(CliReport, RefusalsAndUsageErrors) {
  std::ofstream(work_ / "tight.sch", std::ios::binary) << [] {
    std::string text = read_file(fs::path(QUINTORA_EXAMPLES) / "spring-league.sch");
    std::erase(text, '\r');
    const std::string from = "2  3  2\n";
    return text.replace(text.find(from), from.size(), "2  3  1\n");
  }();
  const std::tuple<std::string, int, const char*> cases[] = {
      {"tight.sch", 1, "Stop !: Not enough tables for this bar: Eight Ball Saloon"},
      {"tight.sch --fair", 1, "Stop !: Not enough tables for this bar: Eight Ball Saloon"},
      {"missing.sch", 1, "Cannot open the league file missing.sch."},
      {"", 2, "league is required"},
      {"tight.sch --fair --effort 2", 2, "--effort excludes --fair"},
      {"tight.sch --variant 2", 2, "--variant requires --fair"},
      {"tight.sch --effort 5", 2, "--effort"},
      {"tight.sch --weeks 12abc", 2, "--weeks"},
      {"tight.sch --verbose", 2, "--verbose"},
      {"tight.sch --csv", 2, "--csv"},
  };
  for (const auto& [arguments, status, expected] : cases) {
    EXPECT_EQ(report(arguments), status) << arguments;
    EXPECT_NE(err.find(expected), std::string::npos) << arguments << ": " << err;
    EXPECT_EQ(out, "") << arguments;
    EXPECT_TRUE(fs::is_empty(temp_)) << arguments;
  }
}

}  // namespace
}  // namespace quintora
