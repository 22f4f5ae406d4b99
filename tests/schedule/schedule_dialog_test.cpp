#include "schedule/schedule_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "league_builder.h"
#include "schedule/schedule_options.h"
#include "support/fake_window_system.h"

namespace quintora::schedule {
namespace {

namespace fs = std::filesystem;
namespace control = ui::control;
using test::FakeWindowSystem;

// Remembers what the status line showed when the screen was asked to catch up.
class PaintingWindowSystem : public FakeWindowSystem {
 public:
  void update_now() override { painted.push_back(text(control::status)); }
  std::vector<std::string> painted;
};

int last_effort = 0;
optimiser::ZoravResult table_order_search(const fs::path& folder, int effort, std::ostream&) {
  last_effort = effort;
  std::ofstream out(folder / "optimal.out");
  for (int k = 1; k <= 5; ++k) out << ' ' << k << '\n';  // the dialog tests schedule 5 or 6 teams
  return {};
}

class ScheduleDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    last_effort = 0;
    fs::create_directories(folder_);
    run_.base_folder = folder_;
    run_.search = table_order_search;
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Opens the dialog, lets `script` act in it, and returns run_dialog's result.
  int open(const League& league, FakeWindowSystem::DialogScript script = nullptr) {
    if (script) ws_.on_dialog(std::move(script));
    ScheduleDialog dialog(league, options_, run_);
    return ws_.run_dialog(ui::DialogId::Schedule, dialog);
  }

  const fs::path folder_ = fs::temp_directory_path() /
                           ("quintora-dialog-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
  PaintingWindowSystem ws_;
  ScheduleOptions options_;
  ScheduleRun run_;
};

TEST_F(ScheduleDialogTest, OpensWithTheDefaultsOfTheLeague) {
  for (const auto& [teams, weeks] : {std::pair{6, "10"}, {5, "10"}, {1, "2"}, {99, "198"}}) {
    options_ = ScheduleOptions{5, "kept.txt", 4, Viewer::WordPad, true};
    EXPECT_EQ(open(test::grouped_league(teams)), 0);  // closed without "Do it"
    EXPECT_EQ(ws_.text(control::weeks), weeks) << teams << " teams";
    EXPECT_EQ(ws_.text(control::result_file), "kept.txt");
    EXPECT_TRUE(ws_.is_checked(control::effort_yes) && !ws_.is_checked(control::effort_hardest));
    EXPECT_TRUE(ws_.is_checked(control::viewer_notepad) && !ws_.is_checked(control::viewer_wordpad));
    EXPECT_FALSE(ws_.is_checked(control::comma_delimited));
    EXPECT_EQ(ws_.text(control::status), "Click on \"Do it\" to Schedule.");
    EXPECT_EQ(options_.effort, 2);
  }
}

TEST_F(ScheduleDialogTest, WeeksTextIsConvertedAndClamped) {
  const std::pair<const char*, int> cases[] = {{"500", 200}, {"-3", 0}, {"  12abc", 12}, {"abc", 0},
                                               {"", 0},      {"+7", 7}, {"123456789012", 200}};
  for (const auto& [text, weeks] : cases) EXPECT_EQ(convert_weeks_text(text), weeks) << '"' << text << '"';
}

TEST_F(ScheduleDialogTest, DoItRunsWithTheChosenOptions) {
  const std::pair<int, int> cases[] = {{control::effort_no, 1}, {control::effort_yes, 2}, {control::effort_harder, 3},
                                       {control::effort_hardest, 4}};
  for (const auto& [choice, effort] : cases) {
    last_effort = 0;
    EXPECT_EQ(open(test::grouped_league(6, 1), [choice = choice](FakeWindowSystem& ws, ui::DialogHandler& h) {
                ws.type(control::weeks, "  12abc");
                ws.set_checked(control::effort_yes, false);
                ws.set_checked(choice, true);
                ws.set_checked(control::viewer_notepad, false);
                ws.set_checked(control::viewer_wordpad, true);
                ws.set_checked(control::comma_delimited, true);
                h.on_command(ws, control::do_it);
              }),
              1);
    EXPECT_EQ(last_effort, effort > 1 ? effort : 0);
    EXPECT_EQ(options_.effort, effort);
    EXPECT_EQ(options_.season_weeks, 12);
    EXPECT_EQ(options_.viewer, Viewer::WordPad);
    const std::string text = test::read_file(folder_ / "schedule.txt");
    EXPECT_NE(text.find("   Week 12:,"), std::string::npos);
    EXPECT_EQ(text.find("   Week 13:"), std::string::npos);
  }
  EXPECT_EQ(ws_.painted, std::vector<std::string>(4, "Scheduling... Please Wait."));
}

TEST_F(ScheduleDialogTest, FailedRunKeepsTheDialogOpenWithItsChoices) {
  const int closed = open(test::grouped_league(6, 1), [](FakeWindowSystem& ws, ui::DialogHandler& h) {
    ws.type(control::result_file, "");
    ws.type(control::weeks, "7");
    ws.set_checked(control::effort_yes, false);
    ws.set_checked(control::effort_hardest, true);
    EXPECT_FALSE(h.on_command(ws, control::do_it));
  });
  EXPECT_EQ(closed, 0);
  ASSERT_EQ(ws_.messages().size(), 1u);
  EXPECT_EQ(ws_.messages()[0].text, "Please use a valid file name.");
  EXPECT_EQ(ws_.text(control::weeks), "7");
  EXPECT_TRUE(ws_.is_checked(control::effort_hardest));
  EXPECT_EQ(last_effort, 0) << "a bad name never starts the optimiser";
  EXPECT_TRUE(ws_.started_programs().empty());
}

TEST_F(ScheduleDialogTest, NameIsReadUpTo49BytesAndKeptForTheNextOpening) {
  const League league = test::grouped_league(5, 1);
  EXPECT_EQ(open(league, [](FakeWindowSystem& ws, ui::DialogHandler& h) {
              ws.type(control::result_file, std::string(60, 'n'));
              h.on_command(ws, control::do_it);
            }),
            1);
  EXPECT_TRUE(fs::exists(folder_ / std::string(49, 'n')));
  EXPECT_EQ(open(league), 0);
  EXPECT_EQ(ws_.text(control::result_file), std::string(49, 'n'));
}

}  // namespace
}  // namespace quintora::schedule
