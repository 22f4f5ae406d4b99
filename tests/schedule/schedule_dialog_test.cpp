#include "schedule/schedule_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "league_builder.h"
#include "schedule/schedule_options.h"
#include "support/fake_window_system.h"

namespace quintora::schedule {
namespace {

namespace fs = std::filesystem;
namespace control = ui::control;

// Remembers what the status line showed when the screen was asked to catch up.
class PaintingWindowSystem : public test::FakeWindowSystem {
 public:
  void update_now() override { painted.push_back(text(control::status)); }
  std::vector<std::string> painted;
};

int last_effort = 0;
optimiser::ZoravResult table_order_search(const fs::path& folder, int effort, std::ostream&) {
  last_effort = effort;
  std::ifstream in(folder / "optimal.inp");
  int teams = 0;
  int nv = 0;
  in >> teams >> nv;
  std::ofstream out(folder / "optimal.out");
  for (int k = 1; k <= nv; ++k) out << ' ' << k << '\n';
  return {};
}

int week_lines_in(const fs::path& path) {
  std::ifstream in(path);
  int n = 0;
  for (std::string line; std::getline(in, line);) n += line.rfind("   Week", 0) == 0 ? 1 : 0;
  return n;
}

class ScheduleDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    last_effort = 0;
    folder_ = fs::temp_directory_path() /
              ("quintora-dialog-test-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    run_.base_folder = folder_;
    run_.search = table_order_search;
    options_.result_file = "season.txt";
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Opens the dialog, lets `script` act in it, and returns run_dialog's result.
  int open(const League& league, test::FakeWindowSystem::DialogScript script = nullptr) {
    if (script) ws_.on_dialog(std::move(script));
    ScheduleDialog dialog(league, options_, run_);
    return ws_.run_dialog(ui::DialogId::Schedule, dialog);
  }

  fs::path folder_;
  PaintingWindowSystem ws_;
  ScheduleOptions options_;
  ScheduleRun run_;
};

TEST_F(ScheduleDialogTest, OpensWithTheDefaultsOfTheLeague) {
  const std::pair<int, const char*> cases[] = {{6, "10"}, {5, "10"}, {1, "2"}, {2, "2"}, {98, "194"}, {99, "198"}};
  for (const auto& [teams, weeks] : cases) {
    options_ = ScheduleOptions{5, "kept.txt", 4, Viewer::WordPad, true};
    EXPECT_EQ(open(test::grouped_league(teams)), 0);  // closed without "Do it"
    EXPECT_EQ(ws_.text(control::weeks), weeks) << teams << " teams";
    EXPECT_EQ(ws_.text(control::result_file), "kept.txt");
    EXPECT_TRUE(ws_.is_checked(control::effort_yes));
    EXPECT_FALSE(ws_.is_checked(control::effort_hardest));
    EXPECT_TRUE(ws_.is_checked(control::viewer_notepad));
    EXPECT_FALSE(ws_.is_checked(control::viewer_wordpad));
    EXPECT_FALSE(ws_.is_checked(control::comma_delimited));
    EXPECT_EQ(ws_.text(control::status), "Click on \"Do it\" to Schedule.");
    EXPECT_EQ(options_.effort, 2);
    EXPECT_EQ(options_.viewer, Viewer::NotePad);
    EXPECT_FALSE(options_.comma_delimited);
    EXPECT_EQ(options_.result_file, "kept.txt");
  }
  EXPECT_TRUE(ws_.messages().empty());
}

TEST_F(ScheduleDialogTest, WeeksTextIsConvertedAndClamped) {
  const std::pair<const char*, int> cases[] = {{"500", 200}, {"-3", 0},   {"  12abc", 12},       {"abc", 0},
                                               {"", 0},      {"+7", 7},   {"123456789012", 200}, {"\t 3", 3}};
  for (const auto& c : cases) {
    const char* text = c.first;
    const int weeks = c.second;
    EXPECT_EQ(convert_weeks_text(text), weeks) << '"' << text << '"';
    const int closed = open(test::league_of_single_bars(4), [&](test::FakeWindowSystem& ws, ui::DialogHandler& h) {
      ws.type(control::weeks, text);
      ws.set_checked(control::effort_yes, false);
      ws.set_checked(control::effort_no, true);
      h.on_command(ws, control::do_it);
    });
    EXPECT_EQ(closed, 1) << text;
    EXPECT_EQ(options_.season_weeks, weeks) << text;
    EXPECT_EQ(week_lines_in(folder_ / "season.txt"), weeks) << text;
  }
  EXPECT_EQ(last_effort, 0) << "\"No\" never starts the optimiser";
}

TEST_F(ScheduleDialogTest, EffortViewerAndCommaComeFromTheChoices) {
  const std::pair<int, int> cases[] = {{control::effort_yes, 2}, {control::effort_harder, 3}, {control::effort_hardest, 4}};
  for (const auto& c : cases) {
    const int choice = c.first;
    const int effort = c.second;
    const int closed = open(test::league_of_single_bars(6), [&](test::FakeWindowSystem& ws, ui::DialogHandler& h) {
      ws.set_checked(control::effort_yes, false);
      ws.set_checked(choice, true);
      ws.set_checked(control::viewer_notepad, false);
      ws.set_checked(control::viewer_wordpad, true);
      ws.set_checked(control::comma_delimited, true);
      h.on_command(ws, control::do_it);
    });
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(last_effort, effort);
    EXPECT_EQ(options_.effort, effort);
    EXPECT_EQ(options_.viewer, Viewer::WordPad);
    EXPECT_TRUE(options_.comma_delimited);
  }
  std::ifstream in(folder_ / "season.txt");
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("   Week  1:,"), std::string::npos);
}

TEST_F(ScheduleDialogTest, FailedRunKeepsTheDialogOpenWithItsChoices) {
  const int closed = open(test::league_of_single_bars(6), [](test::FakeWindowSystem& ws, ui::DialogHandler& h) {
    ws.type(control::result_file, "");
    ws.type(control::weeks, "7");
    ws.set_checked(control::effort_yes, false);
    ws.set_checked(control::effort_hardest, true);
    EXPECT_FALSE(h.on_command(ws, control::do_it));
  });
  EXPECT_EQ(closed, 0);
  EXPECT_EQ(ws_.painted, std::vector<std::string>{"Scheduling... Please Wait."});
  ASSERT_EQ(ws_.messages().size(), 1u);
  EXPECT_EQ(ws_.messages()[0].text, "Please use a valid file name.");
  EXPECT_EQ(ws_.messages()[0].caption, "Stop !");
  EXPECT_EQ(ws_.text(control::status), "Click on \"Do it\" to Schedule.");
  EXPECT_EQ(ws_.text(control::weeks), "7");
  EXPECT_TRUE(ws_.is_checked(control::effort_hardest));
  EXPECT_EQ(last_effort, 0) << "a bad name never starts the optimiser";
  EXPECT_TRUE(ws_.started_programs().empty());
}

TEST_F(ScheduleDialogTest, TypedNameIsKeptForTheNextOpening) {
  const League league = test::league_of_single_bars(5);
  EXPECT_EQ(open(league, [](test::FakeWindowSystem& ws, ui::DialogHandler& h) {
              ws.type(control::result_file, "spring.csv");
              ws.set_checked(control::viewer_notepad, false);
              ws.set_checked(control::viewer_wordpad, true);
              h.on_command(ws, control::do_it);
            }),
            1);
  EXPECT_TRUE(fs::exists(folder_ / "spring.csv"));
  EXPECT_EQ(options_.result_file, "spring.csv");
  EXPECT_EQ(open(league), 0);
  EXPECT_EQ(ws_.text(control::result_file), "spring.csv");
  EXPECT_TRUE(ws_.is_checked(control::effort_yes));
  EXPECT_TRUE(ws_.is_checked(control::viewer_notepad));
}

TEST_F(ScheduleDialogTest, NameIsReadUpTo49Bytes) {
  const std::string long_name(60, 'n');
  open(test::league_of_single_bars(2), [&](test::FakeWindowSystem& ws, ui::DialogHandler& h) {
    ws.type(control::result_file, long_name);
    h.on_command(ws, control::do_it);
  });
  EXPECT_EQ(options_.result_file, std::string(49, 'n'));
  EXPECT_TRUE(fs::exists(folder_ / std::string(49, 'n')));
}

}  // namespace
}  // namespace quintora::schedule
