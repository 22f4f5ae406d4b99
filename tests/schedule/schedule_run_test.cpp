#include "schedule/schedule_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

#include "league_builder.h"
#include "schedule/optimiser_exchange.h"
#include "schedule/schedule_writer.h"
#include "support/fake_window_system.h"

namespace quintora::schedule {
namespace {

namespace fs = std::filesystem;
using test::read_file;

// The scripted optimiser: what it was given, what it leaves as "optimal.out"
// and what it answers.
struct Script {
  fs::path folder;
  std::string input;
  int effort = 0;
  const char* order = "  5\n  4\n  3\n  2\n  1\n";  // the five rounds reversed
  optimiser::ZoravResult result{optimiser::ZoravStatus::Ok, "", 42};
} script;

optimiser::ZoravResult scripted_search(const fs::path& folder, int effort, std::ostream& out) {
  script.folder = folder;
  script.input = read_file(folder / "optimal.inp");
  script.effort = effort;
  std::ofstream(folder / "ZORAV.OUT") << "report\n";
  if (script.order) std::ofstream(folder / "optimal.out") << script.order;
  out << "progress\n";
  return script.result;
}

class ScheduleRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    script = {};
    fs::create_directories(folder_ / "sub");
    std::ofstream(folder_ / "schedule.txt") << "last week's schedule";
    std::ofstream(folder_ / "league.sch") << "!! Version 1.4.0\n";
    league_.file_state = FileState::Saved;
    league_.current_file_path.assign((folder_ / "league.sch").string());
    run_.base_folder = folder_;
    run_.search = scripted_search;
    options_.season_weeks = 10;
  }
  void TearDown() override { fs::remove_all(folder_); }

  int run(const League& league) {
    ws_.clear_messages();
    const int result = schedule_run(league, options_, run_, ws_);
    finish_run(result, options_, run_, ws_);
    return result;
  }
  std::string expected_text(const RoundOrder& order) const {
    std::string out;
    write_header(out, league_.stored_title.view());
    write_season(out, test::balanced_table(league_), order, options_.season_weeks, false);
    write_legend(out, league_);
    return out;
  }

  const fs::path folder_ =
      fs::temp_directory_path() / ("quintora-run-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
  test::FakeWindowSystem ws_;
  ScheduleOptions options_;
  ScheduleRun run_;
  League league_ = test::make_league("Autumn", {{"Red Lion", 2, {"A", "B", "C"}}, {"Crown", 1, {"D", "E"}}});
};

TEST_F(ScheduleRunTest, RunsReplaceTheResultAndLeaveNoWorkFiles) {
  std::ostringstream progress;
  run_.optimiser_output = &progress;
  for (int effort : {1, 2, 3, 4}) {
    options_.effort = effort;
    script.effort = 0;
    ASSERT_EQ(run(league_), 1);
    EXPECT_TRUE(ws_.messages().empty());
    EXPECT_EQ(script.effort, effort == 1 ? 0 : effort) << "effort 1 never starts the optimiser";
    EXPECT_EQ(read_file(folder_ / "schedule.txt"), expected_text(effort == 1 ? table_order(5) : RoundOrder{{0, 5, 4, 3, 2, 1}}));
    EXPECT_FALSE(fs::exists(script.folder)) << "work folder left behind";
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), {}), 3);
  }
  EXPECT_EQ(run_.result_path, folder_ / "schedule.txt");
  EXPECT_EQ(script.input, optimiser_input_text(test::balanced_table(league_)));
  EXPECT_EQ(progress.str(), "progress\nprogress\nprogress\n");
  EXPECT_EQ(run_.evaluations, 42);
}

TEST_F(ScheduleRunTest, FailuresKeepTheOldResultAndSayWhy) {
  const std::string bad_name = "Please use a valid file name.";
  const std::pair<void (*)(League&, ScheduleOptions&), std::string> cases[] = {
      {[](League&, ScheduleOptions& o) { o.result_file = ""; }, bad_name},
      {[](League&, ScheduleOptions& o) { o.result_file = "missing/schedule.txt"; }, bad_name},
      {[](League&, ScheduleOptions& o) { o.result_file = "sub/"; }, bad_name},
      {[](League&, ScheduleOptions& o) { o.result_file = "./sub/../league.sch"; }, bad_name},
      {[](League& l, ScheduleOptions&) { l.team.bar_number[0] = 0; }, "Team A has no bar."},
      {[](League& l, ScheduleOptions&) { l.bar.n_team_this_bar[1] = 1; },
       "Bar Crown is given 1 as its number of teams, but 2 teams have it as their bar."},
      {[](League& l, ScheduleOptions&) { l.n_team = 100; },
       "The league has 100 teams in 2 bars; a schedule takes 1 to 99 teams in 1 to 49 bars."},
      {[](League&, ScheduleOptions&) { script.result = {optimiser::ZoravStatus::InputMissing, "NO INPUT", 0}; },
       "The optimiser stopped: NO INPUT."},
      {[](League&, ScheduleOptions&) { script.order = "1 1 2 3 4"; },
       "The optimiser's round order (optimal.out) is not an order of rounds 1 to 5."},
      {[](League&, ScheduleOptions&) { script.order = nullptr; }, "Cannot read the optimiser's round order (optimal.out)."},
  };
  for (const auto& [spoil, message] : cases) {
    script = {};
    League league = league_;
    options_.effort = 2;
    options_.result_file = "schedule.txt";
    spoil(league, options_);
    EXPECT_EQ(run(league), -1) << message;
    ASSERT_EQ(ws_.messages().size(), 1u);
    EXPECT_EQ(ws_.messages()[0].text, message);
    EXPECT_EQ(ws_.messages()[0].caption, "Stop !");
    EXPECT_EQ(ws_.messages()[0].icon, ui::Icon::Error);
    EXPECT_TRUE(message != bad_name || script.effort == 0) << "a bad name never costs a search";
    EXPECT_FALSE(fs::exists(script.folder));
    EXPECT_EQ(read_file(folder_ / "schedule.txt"), "last week's schedule");
    EXPECT_EQ(read_file(folder_ / "league.sch"), "!! Version 1.4.0\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), {}), 3) << "no temporary file may stay";
  }
  EXPECT_TRUE(ws_.started_programs().empty());
}

TEST(OptimiserExchange, InputLeavesTheByeOutAndOnlyAPermutationComesBack) {
  RoundTable t;
  build_round_table(t, 3);
  EXPECT_EQ(optimiser_input_text(t), "4  3  1  2\n1 2  \n3 1  \n3 2  \n");
  RoundOrder order;
  ASSERT_EQ(parse_round_order("  3\n +1\n\t2\n99 and whatever follows", 3, order), ExchangeResult::Ok);
  EXPECT_EQ(order.round, (RoundOrder{{0, 3, 1, 2}}.round));
  for (const char* text : {"1\n2\n", "", "1 1 2", "0 1 2", "4 1 2", "-1 1 2", "1 x 2", "99999999999999999999 1 2"}) {
    EXPECT_EQ(parse_round_order(text, 3, order), ExchangeResult::Malformed) << '"' << text << '"';
    EXPECT_EQ(order.round[1], 3) << "a refused order leaves the old one";
  }
  EXPECT_EQ(parse_round_order("1", 0, order), ExchangeResult::Malformed);
  EXPECT_EQ(parse_round_order("1", 100, order), ExchangeResult::Malformed);
}

#ifndef _WIN32
TEST_F(ScheduleRunTest, FinishRunShowsTheResultInTheChosenViewer) {
  options_.effort = 1;
  const std::vector<std::string> full = {(folder_ / "schedule.txt").string()};
  ASSERT_EQ(run(league_), 1);
  ASSERT_EQ(ws_.started_programs().size(), 1u);
  EXPECT_EQ(ws_.started_programs()[0].program, "quintora-view");
  EXPECT_EQ(ws_.started_programs()[0].arguments, full);
  options_.viewer = Viewer::WordPad;
  ASSERT_EQ(run(league_), 1);
  EXPECT_EQ(ws_.opened_files(), full);
  EXPECT_EQ(ws_.started_programs().size(), 1u) << "no fallback when the default application opened it";
  ws_.set_start_succeeds(false);
  ASSERT_EQ(run(league_), 1);
  EXPECT_EQ(ws_.started_programs().size(), 2u) << "WordPad falls back to quintora-view";
  ASSERT_EQ(ws_.messages().size(), 1u);
  EXPECT_EQ(ws_.messages()[0].text, "The schedule was saved as " + full[0] + ", but no program could be started to show it.");
}
#endif

}  // namespace
}  // namespace quintora::schedule
