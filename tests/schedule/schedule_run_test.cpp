// The schedule run, as the Schedule dialog and the command line start it.

#include "schedule/schedule_run.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <tuple>

#ifdef _WIN32
#include <windows.h>
#endif

#include "base/atomic_file.h"
#include "base/paths.h"
#include "league_builder.h"
#include "support/scratch_folder.h"
#include "support/write_faults.h"

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
  const char* order = "  5\n  4\n +3\n\t2\n  1\n99 and whatever follows";  // the five rounds reversed
  SearchOutcome result;
} script;

SearchOutcome scripted_search(const fs::path& folder, int effort, std::ostream&) {
  script.folder = folder;
  script.input = read_file(folder / "optimal.inp");
  script.effort = effort;
  std::ofstream(folder / "ZORAV.OUT") << "report\n";
  if (script.order) std::ofstream(folder / "optimal.out") << script.order;
  return script.result;
}

ScheduleOptions make_options(int weeks, std::string file, ScheduleMethod method, bool comma = false) {
  ScheduleOptions o = options_for(method, weeks);
  o.result_file = std::move(file);
  o.comma_delimited = comma;
  return o;
}

// In the scratch folder, beside the league's file (the fixture's old file).
class ScheduleRunTest : public test::ScratchFolderTest {
 protected:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    script = {};
    fs::create_directories(folder_ / "sub");
    std::ofstream(folder_ / "schedule.txt") << "last week's schedule";
    league_.file_state = league::FileState::Saved;
    league_.current_file_path.assign(base::utf8_of(target_));
    run_.settings() = {folder_, nullptr, scripted_search, {}, {}};
  }

  // The message of a failed run; empty on success.
  std::string run(const league::League& league) {
    const RunResult result = run_.write_schedule(league, options_);
    return result.ok() ? std::string() : result.failure->text;
  }

  ScheduleOptions options_;
  ScheduleRun run_;
  league::League league_ = test::make_league({{3, 2}, {2, 1}}, "Autumn", {"A", "B", "C", "D", "E"});
};

// Each method writes its own schedule, in rounds of the optimiser's order
// or, for the table's order and Fairest, without starting it.
TEST_F(ScheduleRunTest, RunsTheChosenScheduleAndLeavesNoWorkFiles) {
  const RoundOrder reversed{{0, 5, 4, 3, 2, 1}};
  // The optimiser's input: the balanced table without the bye slot (rounds 1 and 5 exchange a pairing).
  const std::string input = "6  5  2  2\n1 3  4 2  \n5 1  3 2  \n5 4  1 2  \n3 5  4 1  \n2 5  4 3  \n";
  const std::tuple<ScheduleOptions, int, std::string> cases[] = {
      {make_options(12, std::string(49, 'n'), {ScheduleMethod::Kind::SearchHarder}, true), 3,
       test::schedule_text(league_, 12, true, &reversed)},
      {make_options(10, "saison \xc3\xa9t\xc3\xa9.txt", {ScheduleMethod::Kind::TableOrder}), 0,
       test::schedule_text(league_, 10)},
      {make_options(12, "schedule.txt", {ScheduleMethod::Kind::Fairest, 3}), 0,
       schedule_text(test::fairest_season(league_, 12, 3), false)},
  };
  for (const auto& [options, effort, text] : cases) {
    script = {};
    options_ = options;
    ASSERT_EQ(run(league_), "");
    EXPECT_EQ(script.effort, effort);
    EXPECT_EQ(run_.result_path(), folder_ / base::path_from_utf8(options.result_file));
    EXPECT_EQ(read_file(run_.result_path()), base::with_platform_line_ends(text));
    EXPECT_FALSE(fs::exists(script.folder)) << "work folder left behind";
    EXPECT_EQ(script.input, effort == 0 ? "" : base::with_platform_line_ends(input));
  }
  EXPECT_EQ(others(), 4);
}

TEST_F(ScheduleRunTest, FailuresKeepTheOldResultAndSayWhy) {
  const auto fails = [&](const league::League& league, const std::string& message) {
    const RunResult result = run_.write_schedule(league, options_);
    ASSERT_FALSE(result.ok()) << message;
    EXPECT_EQ(std::tuple(result.failure->text, result.failure->caption, result.failure->icon),
              std::tuple(message, "Stop !", base::Icon::Error));
    EXPECT_FALSE(fs::exists(script.folder));
    EXPECT_EQ(read_file(folder_ / "schedule.txt"), "last week's schedule");
    EXPECT_EQ(others(), 2) << "no temporary file may stay";
  };
  options_.method = {};
  for (const char* name : {"", "sub/", "./sub/../league.sch"}) {
    options_.result_file = name;
    fails(league_, "Please use a valid file name.");
  }
  EXPECT_EQ(script.effort, 0) << "a bad name never costs a search";
  options_.result_file = "schedule.txt";
  for (const char* order :
       {"1 1 2 3 4", "1 2 3 4", "6 1 2 3 4", "1 2 x 3 4", "99999999999999999999 1 2 3 4"}) {
    script.order = order;
    fails(league_, "The optimiser's round order (optimal.out) is not an order of rounds 1 to 5.");
  }
  script.order = nullptr;
  fails(league_, "Cannot read the optimiser's round order (optimal.out).");
  script.result = {false, "NO INPUT", 0};
  fails(league_, "The optimiser stopped: NO INPUT.");
  league::League league = league_;
  league.bar.n_team_this_bar[1] = 1;
  fails(league, "Bar Hall 2 is given 1 as its number of teams, but 2 teams have it as their bar.");
  league = league_;
  league.n_team = 101;
  fails(league, "The league has 101 teams in 2 bars; a schedule takes 1 to 100 teams in 1 to 49 bars.");
  // Fairest refuses a bar without tables for half its teams, as the dialog's check does.
  options_ = make_options(12, "schedule.txt", {ScheduleMethod::Kind::Fairest, 3});
  league = league_;
  league.bar.n_table_this_bar[0] = 1;  // three teams need two tables
  fails(league, "Not enough tables for this bar: Hall 1");
  // Replacing last week's schedule fails in the middle, in place or not (the
  // writer's own failures are tested with it).
  options_ = make_options(10, "schedule.txt", {ScheduleMethod::Kind::TableOrder});
  for (const base::WriteFaults& faults : {test::write_faults(EACCES, 100), test::write_faults(0, 100)}) {
    base::set_write_faults_for_testing(faults);
    fails(league_, "Cannot write the schedule file " + base::utf8_of(folder_ / "schedule.txt") + ". " +
                       std::string(base::describe(base::WriteStatus::NoRoom)));
    base::set_write_faults_for_testing({});
  }
#ifdef _WIN32
  // Word or a viewer holding the schedule open: the message names the file
  // and says what to do.
  const HANDLE held = CreateFileW((folder_ / "schedule.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  fails(league_, "Cannot write the schedule file " + base::utf8_of(folder_ / "schedule.txt") +
                     ". Another program has the file open: close it there, then try again.");
  CloseHandle(held);
#endif
}

// A new bar's automatic team can be the league's 100th: an even 100 fill the
// pairing table without a dummy and are scheduled at every effort, the
// optimiser's own search included.
TEST_F(ScheduleRunTest, AHundredTeamsAreScheduledAtEveryEffort) {
  const league::League league = test::grouped_league(100);
  run_.settings().search = run_optimiser;
  for (int effort = 1; effort <= 4; ++effort) {
    options_ = make_options(198, "schedule.txt", method_of_effort(effort));
    ASSERT_EQ(run(league), "") << "effort " << effort;
    // Whatever order the optimiser gives, the run took it only as an order of
    // every round (its refusals are the failures' test).
    EXPECT_EQ(read_file(folder_ / "schedule.txt"),
              base::with_platform_line_ends(test::schedule_text(league, 198, false, &run_.round_order())));
    EXPECT_EQ(run_.evaluations() > 0, effort > 1) << "effort " << effort;
  }
}

}  // namespace
}  // namespace quintora::schedule
