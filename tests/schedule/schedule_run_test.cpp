#include "schedule/schedule_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "league_builder.h"
#include "schedule/optimiser_exchange.h"
#include "schedule/schedule_writer.h"
#include "support/fake_window_system.h"

namespace quintora::schedule {
namespace {

namespace fs = std::filesystem;
using test::FakeWindowSystem;

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Scripted optimisers: what they saw, and what they leave behind.
struct SearchLog {
  int calls = 0;
  fs::path folder;
  std::string input;
  int effort = 0;
};
SearchLog search_log;

optimiser::ZoravResult record(const fs::path& folder, int effort) {
  ++search_log.calls;
  search_log.folder = folder;
  search_log.input = contents(folder / "optimal.inp");
  search_log.effort = effort;
  std::ofstream(folder / "ZORAV.OUT") << "report\n";
  return {};
}

// Plays the rounds in reverse.
optimiser::ZoravResult reverse_order(const fs::path& folder, int effort, std::ostream& out) {
  auto result = record(folder, effort);
  std::istringstream header(search_log.input);
  int teams = 0;
  int nv = 0;
  header >> teams >> nv;
  std::ofstream order(folder / "optimal.out");
  for (int k = nv; k >= 1; --k) order << "   " << k << "\n";
  out << "progress\n";
  result.evaluations = 42;
  return result;
}

optimiser::ZoravResult stops(const fs::path& folder, int effort, std::ostream&) {
  record(folder, effort);
  return {optimiser::ZoravStatus::InputMissing, "CANNOT FIND INPUT FILE: ZORAV.INP", 0};
}

optimiser::ZoravResult repeats_a_round(const fs::path& folder, int effort, std::ostream&) {
  auto result = record(folder, effort);
  std::ofstream(folder / "optimal.out") << " 1\n 1\n 2\n 3\n 4\n";
  return result;
}

optimiser::ZoravResult leaves_no_order(const fs::path& folder, int effort, std::ostream&) { return record(folder, effort); }

std::string expected_text(const League& league, int weeks, const RoundOrder* order = nullptr) {
  RoundTable table;
  build_round_table(table, league.n_team);
  BarLimits limits;
  compute_bar_limits(league, limits);
  BalanceState state;
  balance(table, league, limits, state);
  std::string out;
  write_header(out, league.stored_title.view());
  write_season(out, table, order ? *order : table_order(table.nweek), weeks, false);
  write_legend(out, league);
  return out;
}

class ScheduleRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    search_log = SearchLog{};
    folder_ = fs::temp_directory_path() /
              ("quintora-run-test-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    run_.base_folder = folder_;
    options_.result_file = "schedule.txt";
    options_.season_weeks = 10;
    options_.effort = 1;
  }
  void TearDown() override { fs::remove_all(folder_); }

  int run(const League& league) {
    const int result = schedule_run(league, options_, run_, ws_);
    finish_run(result, options_, run_, ws_);
    return result;
  }
  int entries() const {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder_)) ++n;
    return n;
  }

  fs::path folder_;
  FakeWindowSystem ws_;
  ScheduleOptions options_;
  ScheduleRun run_;
  League league_ = test::make_league("Autumn", {{"Red Lion", 2, {"A", "B", "C"}}, {"Crown", 1, {"D", "E"}}});
};

TEST_F(ScheduleRunTest, WithoutOptimisationWritesTheScheduleInTableOrder) {
  ASSERT_EQ(run(league_), 1);
  EXPECT_EQ(run_.result_path, folder_ / "schedule.txt");
  EXPECT_EQ(contents(folder_ / "schedule.txt"), expected_text(league_, 10));
  EXPECT_EQ(search_log.calls, 0);
  EXPECT_TRUE(ws_.messages().empty());
  EXPECT_EQ(entries(), 1);
}

TEST_F(ScheduleRunTest, OptimisedRunExchangesFilesInAPrivateFolderAndRemovesIt) {
  run_.search = reverse_order;
  std::ostringstream progress;
  run_.optimiser_output = &progress;
  for (int effort : {2, 3, 4}) {
    options_.effort = effort;
    ASSERT_EQ(run(league_), 1);
    EXPECT_EQ(search_log.effort, effort);
    EXPECT_NE(search_log.folder, folder_);
    EXPECT_FALSE(fs::exists(search_log.folder)) << "work folder left behind";
    EXPECT_EQ(run_.evaluations, 42);
  }
  RoundTable table;
  build_round_table(table, league_.n_team);
  BarLimits limits;
  compute_bar_limits(league_, limits);
  BalanceState state;
  balance(table, league_, limits, state);
  EXPECT_EQ(search_log.input, optimiser_input_text(table));
  RoundOrder reversed;
  for (int k = 1; k <= table.nweek; ++k) reversed.round[static_cast<std::size_t>(k)] = table.nweek + 1 - k;
  EXPECT_EQ(contents(folder_ / "schedule.txt"), expected_text(league_, 10, &reversed));
  EXPECT_EQ(progress.str(), "progress\nprogress\nprogress\n");
  EXPECT_EQ(entries(), 1);
}

TEST_F(ScheduleRunTest, FailedOptimisationKeepsTheOldResultAndCleansUp) {
  struct Case {
    decltype(ScheduleRun::search) search;
    const char* message_part;
  };
  const Case cases[] = {
      {stops, "CANNOT FIND INPUT FILE: ZORAV.INP"},
      {repeats_a_round, "is not an order of rounds 1 to 5"},
      {leaves_no_order, "Cannot read the optimiser's round order"},
  };
  for (const auto& c : cases) {
    std::ofstream(folder_ / "schedule.txt") << "last week's schedule";
    ws_.clear_messages();
    run_.search = c.search;
    options_.effort = 2;
    EXPECT_EQ(run(league_), -1);
    ASSERT_EQ(ws_.messages().size(), 1u);
    EXPECT_NE(ws_.messages()[0].text.find(c.message_part), std::string::npos) << ws_.messages()[0].text;
    EXPECT_EQ(ws_.messages()[0].caption, "Stop !");
    EXPECT_EQ(contents(folder_ / "schedule.txt"), "last week's schedule");
    EXPECT_EQ(entries(), 1) << "no temporary file may stay";
    EXPECT_FALSE(fs::exists(search_log.folder));
    EXPECT_TRUE(ws_.started_programs().empty());
  }
}

TEST_F(ScheduleRunTest, ResultNamesThatCannotBeUsedStopBeforeTheOptimiser) {
  fs::create_directories(folder_ / "sub");
  std::ofstream(folder_ / "league.sch") << "!! Version 1.4.0\n";
  league_.file_state = FileState::Saved;
  league_.current_file_path.assign((folder_ / "league.sch").string());
  run_.search = reverse_order;
  options_.effort = 2;
  for (const char* name : {"", "missing/schedule.txt", "sub", "league.sch", "./sub/../league.sch"}) {
    ws_.clear_messages();
    options_.result_file = name;
    EXPECT_EQ(run(league_), -1) << '"' << name << '"';
    ASSERT_EQ(ws_.messages().size(), 1u);
    EXPECT_EQ(ws_.messages()[0].text, "Please use a valid file name.");
    EXPECT_EQ(ws_.messages()[0].caption, "Stop !");
    EXPECT_EQ(ws_.messages()[0].icon, ui::Icon::Error);
  }
  EXPECT_EQ(search_log.calls, 0);
  EXPECT_EQ(contents(folder_ / "league.sch"), "!! Version 1.4.0\n");
  EXPECT_EQ(entries(), 2);
}

TEST_F(ScheduleRunTest, MalformedLeaguesAreRefusedNamingTheCulprit) {
  struct Case {
    void (*spoil)(League&);
    const char* message;
  };
  const Case cases[] = {
      {[](League& l) { l.n_team = 0; }, "Cannot schedule without teams."},
      {[](League& l) { l.bar.number[1] = 5; }, "Bar Crown is numbered 5 instead of 2."},
      {[](League& l) { l.bar.number[0] = -1; }, "Bar Red Lion is numbered -1 instead of 1."},
      {[](League& l) { l.team.bar_number[3] = 3; }, "Team D has no bar."},
      {[](League& l) { l.team.bar_number[0] = 0; }, "Team A has no bar."},
      {[](League& l) { l.team.bar_number[4] = -2; }, "Team E has no bar."},
      {[](League& l) { l.bar.n_team_this_bar[0] = -7; }, "Bar Red Lion is given -7 as its number of teams, but 3 teams have it as their bar."},
      {[](League& l) { l.bar.n_team_this_bar[1] = 1; }, "Bar Crown is given 1 as its number of teams, but 2 teams have it as their bar."},
      {[](League& l) { l.n_team = 100; }, "The league has 100 teams in 2 bars; a schedule takes 1 to 99 teams in 1 to 49 bars."},
      {[](League& l) { l.n_bar = 50; }, "The league has 5 teams in 50 bars; a schedule takes 1 to 99 teams in 1 to 49 bars."},
  };
  for (const auto& c : cases) {
    League league = league_;
    c.spoil(league);
    ws_.clear_messages();
    EXPECT_EQ(run(league), -1) << c.message;
    ASSERT_EQ(ws_.messages().size(), 1u);
    EXPECT_EQ(ws_.messages()[0].text, c.message);
    EXPECT_EQ(ws_.messages()[0].caption, "Stop !");
  }
  EXPECT_EQ(entries(), 0);
}

TEST_F(ScheduleRunTest, TheLeagueIsNeverChanged) {
  League odd = test::make_league("Odd", {{"One", 2, {"A", "B", "C", "D"}}, {"Two", 1, {"E"}}});
  const League before = odd;
  options_.effort = 2;
  run_.search = reverse_order;
  ASSERT_EQ(run(odd), 1);
  EXPECT_EQ(odd.n_team, 5);
  EXPECT_EQ(odd.n_team_slot, 5);
  EXPECT_EQ(odd.n_bar, 2);
  EXPECT_EQ(odd.team.bar_number, before.team.bar_number);
  EXPECT_EQ(odd.team.name, before.team.name);
  EXPECT_EQ(odd.bar.n_team_this_bar, before.bar.n_team_this_bar);
  EXPECT_EQ(odd.bar.n_table_this_bar, before.bar.n_table_this_bar);
  EXPECT_EQ(odd.stored_title, before.stored_title);
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

  run_.start_viewer = false;
  ASSERT_EQ(run(league_), 1);
  EXPECT_EQ(ws_.started_programs().size(), 2u);
}
#endif

TEST_F(ScheduleRunTest, FailedRunStartsNoViewer) {
  options_.result_file = "";
  EXPECT_EQ(run(league_), -1);
  EXPECT_TRUE(ws_.started_programs().empty());
  EXPECT_TRUE(ws_.opened_files().empty());
}

TEST(ResolveResultPath, RelativeNamesFollowTheBaseFolder) {
  const fs::path base = fs::temp_directory_path() / "league folder";
  EXPECT_EQ(resolve_result_path(base, "out.txt"), base / "out.txt");
  EXPECT_EQ(resolve_result_path(base, "sub/../out.txt"), base / "out.txt");
  EXPECT_EQ(resolve_result_path(base, (fs::temp_directory_path() / "x.csv").string()),
            fs::temp_directory_path() / "x.csv");
  EXPECT_TRUE(resolve_result_path(base, "").empty());
}

}  // namespace
}  // namespace quintora::schedule
