#include "schedule/schedule_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>

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
  std::ofstream(folder / "optimal.out") << "1 2 3 4 5";  // the dialog tests schedule 6 teams
  return {};
}

class ScheduleDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_);
    run_.base_folder = folder_;
    run_.search = table_order_search;
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Opens the dialog on 6 teams, lets `script` act in it, and returns run_dialog's result.
  int open(FakeWindowSystem::DialogScript script = nullptr) {
    if (script) ws_.on_dialog(std::move(script));
    ScheduleDialog dialog(league_, options_, run_);
    return ws_.run_dialog(ui::DialogId::Schedule, dialog);
  }

  const fs::path folder_ = fs::temp_directory_path() /
                           ("quintora-dialog-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
  PaintingWindowSystem ws_;
  ScheduleOptions options_{5, "kept.txt", 4, Viewer::WordPad, true};
  ScheduleRun run_;
  League league_ = test::grouped_league(6, 1);
};

TEST_F(ScheduleDialogTest, OpensWithTheDefaultsAndTheKeptName) {
  EXPECT_EQ(open(), 0);  // closed without "Do it"
  EXPECT_EQ(ws_.text(control::weeks), "10");
  EXPECT_EQ(ws_.text(control::result_file), "kept.txt");
  EXPECT_TRUE(ws_.is_checked(control::effort_yes) && !ws_.is_checked(control::effort_hardest));
  EXPECT_TRUE(ws_.is_checked(control::viewer_notepad) && !ws_.is_checked(control::viewer_wordpad));
  EXPECT_FALSE(ws_.is_checked(control::comma_delimited));
  EXPECT_EQ(ws_.text(control::status), "Click on \"Do it\" to Schedule.");
  for (const auto& [teams, weeks] : {std::pair{6, 10}, {5, 10}, {1, 2}, {99, 198}, {0, 0}}) {
    EXPECT_EQ(default_season_weeks(teams), weeks) << teams << " teams";
  }
  const std::pair<const char*, int> typed[] = {{"500", 200}, {"-3", 0}, {"  12abc", 12}, {"abc", 0}, {"+7", 7},
                                               {"123456789012", 200}};
  for (const auto& [text, weeks] : typed) EXPECT_EQ(convert_weeks_text(text), weeks) << '"' << text << '"';
}

TEST_F(ScheduleDialogTest, DoItRunsWithTheChosenOptions) {
  const std::pair<int, int> cases[] = {{control::effort_no, 1}, {control::effort_yes, 2}, {control::effort_harder, 3},
                                       {control::effort_hardest, 4}};
  for (const auto& [choice, effort] : cases) {
    last_effort = 0;
    EXPECT_EQ(open([choice = choice](FakeWindowSystem& ws, ui::DialogHandler& h) {
                ws.type(control::weeks, "  12abc");
                ws.type(control::result_file, std::string(60, 'n'));
                ws.set_checked(control::effort_yes, false);
                ws.set_checked(choice, true);
                ws.set_checked(control::viewer_wordpad, true);
                ws.set_checked(control::comma_delimited, true);
                h.on_command(ws, control::do_it);
              }),
              1);
    EXPECT_EQ(last_effort, effort > 1 ? effort : 0);
    EXPECT_EQ(std::tuple(options_.effort, options_.season_weeks, options_.viewer, options_.comma_delimited),
              std::tuple(effort, 12, Viewer::WordPad, true));
    const std::string text = test::read_file(folder_ / std::string(49, 'n'));  // the name is read up to 49 bytes
    EXPECT_NE(text.find("   Week 12:,"), std::string::npos);
    EXPECT_EQ(text.find("   Week 13:"), std::string::npos);
  }
  EXPECT_EQ(ws_.painted, std::vector<std::string>(4, "Scheduling... Please Wait."));
  EXPECT_EQ(open(), 0);
  EXPECT_EQ(ws_.text(control::result_file), std::string(49, 'n')) << "the name is kept for the next opening";
}

TEST_F(ScheduleDialogTest, FailedRunKeepsTheDialogOpenWithItsChoices) {
  EXPECT_EQ(open([](FakeWindowSystem& ws, ui::DialogHandler& h) {
              ws.type(control::result_file, "");
              ws.type(control::weeks, "7");
              ws.set_checked(control::effort_yes, false);
              ws.set_checked(control::effort_hardest, true);
              EXPECT_FALSE(h.on_command(ws, control::do_it));
            }),
            0);
  ASSERT_EQ(ws_.messages().size(), 1u);
  EXPECT_EQ(ws_.messages()[0].text, "Please use a valid file name.");
  EXPECT_EQ(ws_.text(control::weeks), "7");
  EXPECT_TRUE(ws_.is_checked(control::effort_hardest));
  EXPECT_TRUE(ws_.started_programs().empty());
}

}  // namespace
}  // namespace quintora::schedule
