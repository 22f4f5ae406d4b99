#include "schedule/schedule_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "league_builder.h"
#include "schedule/optimiser_exchange.h"
#include "schedule/schedule_writer.h"
#include "support/fake_window_system.h"

namespace quintora::schedule {
namespace {

namespace fs = std::filesystem;
using test::read_file;

// Scripted optimisers: what they were given, and what they leave behind.
struct Seen {
  fs::path folder;
  std::string input;
  int effort = 0;
} seen;

optimiser::ZoravResult search(const fs::path& folder, int effort, const char* order) {
  seen = {folder, read_file(folder / "optimal.inp"), effort};
  std::ofstream(folder / "ZORAV.OUT") << "report\n";
  if (order) std::ofstream(folder / "optimal.out") << order;
  return {};
}
optimiser::ZoravResult reverse(const fs::path& folder, int effort, std::ostream& out) {
  out << "progress\n";
  auto result = search(folder, effort, "  5\n  4\n  3\n  2\n  1\n");
  result.evaluations = 42;
  return result;
}
optimiser::ZoravResult stops(const fs::path& folder, int effort, std::ostream&) {
  search(folder, effort, nullptr);
  return {optimiser::ZoravStatus::InputMissing, "CANNOT FIND INPUT FILE: ZORAV.INP", 0};
}
optimiser::ZoravResult repeats_a_round(const fs::path& f, int e, std::ostream&) { return search(f, e, "1 1 2 3 4"); }
optimiser::ZoravResult leaves_no_order(const fs::path& f, int e, std::ostream&) { return search(f, e, nullptr); }

class ScheduleRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    seen = {};
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    run_.base_folder = folder_;
    options_.season_weeks = 10;
    options_.effort = 1;
    std::ofstream(folder_ / "schedule.txt") << "last week's schedule";
  }
  void TearDown() override { fs::remove_all(folder_); }

  int run(const League& league) {
    ws_.clear_messages();
    const int result = schedule_run(league, options_, run_, ws_);
    finish_run(result, options_, run_, ws_);
    return result;
  }
  long entries() const { return std::distance(fs::directory_iterator(folder_), fs::directory_iterator()); }
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

TEST_F(ScheduleRunTest, WithoutOptimisationReplacesTheResultByTheTableOrderSchedule) {
  run_.search = stops;
  ASSERT_EQ(run(league_), 1);
  EXPECT_EQ(run_.result_path, folder_ / "schedule.txt");
  EXPECT_EQ(read_file(folder_ / "schedule.txt"), expected_text(table_order(5)));
  EXPECT_TRUE(seen.folder.empty()) << "effort 1 never starts the optimiser";
  EXPECT_TRUE(ws_.messages().empty());
  EXPECT_EQ(entries(), 1);
}

TEST_F(ScheduleRunTest, OptimisedRunExchangesFilesInAPrivateFolderAndRemovesIt) {
  run_.search = reverse;
  std::ostringstream progress;
  run_.optimiser_output = &progress;
  for (int effort : {2, 3, 4}) {
    options_.effort = effort;
    ASSERT_EQ(run(league_), 1);
    EXPECT_EQ(seen.effort, effort);
    EXPECT_EQ(seen.input, optimiser_input_text(test::balanced_table(league_)));
    EXPECT_NE(seen.folder.parent_path(), folder_);
    EXPECT_FALSE(fs::exists(seen.folder)) << "work folder left behind";
    EXPECT_EQ(run_.evaluations, 42);
  }
  EXPECT_EQ(read_file(folder_ / "schedule.txt"), expected_text(RoundOrder{{0, 5, 4, 3, 2, 1}}));
  EXPECT_EQ(progress.str(), "progress\nprogress\nprogress\n");
  EXPECT_EQ(entries(), 1);
}

TEST_F(ScheduleRunTest, FailedOptimisationKeepsTheOldResultAndCleansUp) {
  const std::pair<decltype(ScheduleRun::search), const char*> cases[] = {
      {stops, "The optimiser stopped: CANNOT FIND INPUT FILE: ZORAV.INP."},
      {repeats_a_round, "The optimiser's round order (optimal.out) is not an order of rounds 1 to 5."},
      {leaves_no_order, "Cannot read the optimiser's round order (optimal.out)."},
  };
  options_.effort = 2;
  for (const auto& [searcher, message] : cases) {
    run_.search = searcher;
    EXPECT_EQ(run(league_), -1);
    ASSERT_EQ(ws_.messages().size(), 1u);
    EXPECT_EQ(ws_.messages()[0].text, message);
    EXPECT_EQ(ws_.messages()[0].caption, "Stop !");
    EXPECT_EQ(read_file(folder_ / "schedule.txt"), "last week's schedule");
    EXPECT_EQ(entries(), 1) << "no temporary file may stay";
    EXPECT_FALSE(fs::exists(seen.folder));
  }
  EXPECT_TRUE(ws_.started_programs().empty());
}

TEST_F(ScheduleRunTest, ResultNamesThatCannotBeUsedStopBeforeTheOptimiser) {
  fs::create_directories(folder_ / "sub");
  std::ofstream(folder_ / "league.sch") << "!! Version 1.4.0\n";
  league_.file_state = FileState::Saved;
  league_.current_file_path.assign((folder_ / "league.sch").string());
  run_.search = reverse;
  options_.effort = 2;
  for (const char* name : {"", "missing/schedule.txt", "sub", "sub/", "league.sch", "./sub/../league.sch"}) {
    options_.result_file = name;
    EXPECT_EQ(run(league_), -1) << '"' << name << '"';
    ASSERT_EQ(ws_.messages().size(), 1u);
    EXPECT_EQ(ws_.messages()[0].text, "Please use a valid file name.");
    EXPECT_EQ(ws_.messages()[0].caption, "Stop !");
    EXPECT_EQ(ws_.messages()[0].icon, ui::Icon::Error);
  }
  EXPECT_TRUE(seen.folder.empty());
  EXPECT_EQ(read_file(folder_ / "league.sch"), "!! Version 1.4.0\n");
  EXPECT_EQ(entries(), 3);
  EXPECT_TRUE(ws_.started_programs().empty());
}

TEST_F(ScheduleRunTest, MalformedLeaguesAreRefusedNamingTheCulprit) {
  const std::pair<void (*)(League&), const char*> cases[] = {
      {[](League& l) { l.n_team = 0; }, "Cannot schedule without teams."},
      {[](League& l) { l.bar.number[1] = 5; }, "Bar Crown is numbered 5 instead of 2."},
      {[](League& l) { l.team.bar_number[3] = 3; }, "Team D has no bar."},
      {[](League& l) { l.team.bar_number[0] = 0; }, "Team A has no bar."},
      {[](League& l) { l.bar.n_team_this_bar[1] = 1; }, "Bar Crown is given 1 as its number of teams, but 2 teams have it as their bar."},
      {[](League& l) { l.n_team = 100; }, "The league has 100 teams in 2 bars; a schedule takes 1 to 99 teams in 1 to 49 bars."},
      {[](League& l) { l.n_bar = 50; }, "The league has 5 teams in 50 bars; a schedule takes 1 to 99 teams in 1 to 49 bars."},
  };
  for (const auto& [spoil, message] : cases) {
    League league = league_;
    spoil(league);
    EXPECT_EQ(run(league), -1) << message;
    ASSERT_EQ(ws_.messages().size(), 1u);
    EXPECT_EQ(ws_.messages()[0].text, message);
    EXPECT_EQ(ws_.messages()[0].caption, "Stop !");
  }
  EXPECT_EQ(read_file(folder_ / "schedule.txt"), "last week's schedule");
}

#ifndef _WIN32
TEST_F(ScheduleRunTest, FinishRunShowsTheResultInTheChosenViewer) {
  const std::string full = (folder_ / "schedule.txt").string();
  ASSERT_EQ(run(league_), 1);
  ASSERT_EQ(ws_.started_programs().size(), 1u);
  EXPECT_EQ(ws_.started_programs()[0].program, "quintora-view");
  EXPECT_EQ(ws_.started_programs()[0].arguments, std::vector<std::string>{full});
  options_.viewer = Viewer::WordPad;
  ASSERT_EQ(run(league_), 1);
  EXPECT_EQ(ws_.opened_files(), std::vector<std::string>{full});
  EXPECT_EQ(ws_.started_programs().size(), 1u) << "no fallback when the default application opened it";
  ws_.set_start_succeeds(false);
  ASSERT_EQ(run(league_), 1);
  EXPECT_EQ(ws_.started_programs().size(), 2u) << "WordPad falls back to quintora-view";
  ASSERT_EQ(ws_.messages().size(), 1u);
  EXPECT_EQ(ws_.messages()[0].caption, "Information");
  EXPECT_NE(ws_.messages()[0].text.find(full), std::string::npos);
}
#endif

}  // namespace
}  // namespace quintora::schedule
