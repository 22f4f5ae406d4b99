// The Schedule command from the main window: its checks, the save question,
// and the dialog it opens.

#include <tuple>

#include "main_window_fixture.h"

namespace quintora::test {
namespace {

using ScheduleCommandTest = MainWindowTest;

TEST_F(ScheduleCommandTest, ChecksStopItBeforeTheQuestion) {
  ws.click(c::schedule_button);
  EXPECT_EQ(last_message(), "Cannot schedule without teams.");
  EXPECT_EQ(ws.messages().back().caption, "Stop !");
  add_bar("Corner Pocket");
  ws.type(c::tables, "3");
  for (const char* team : {"A", "B", "C", "D"}) add_team(team);
  ws.type(c::tables, "2");  // taken without a test: 5 teams need 3 tables
  ws.click(cmd::view_schedule);
  EXPECT_EQ(last_message(), "Not enough tables for this bar: Corner Pocket");

  ws.type(c::tables, "3");
  ws.answer_next(base::Answer::Cancel);
  ws.click(cmd::view_schedule);
  EXPECT_EQ(last_message(), "Save changes before continue?");
  EXPECT_EQ(ws.messages().back().buttons, base::Buttons::OkCancel);
}

// The dialog opens with one pass each way, "Yes" and "NotePad" and the last
// result file name; "Do it" converts the weeks, or stays open when the result
// cannot be created.
TEST_F(ScheduleCommandTest, DialogDefaultsAndDoIt) {
  add_bar("Hall");
  ws.type(c::tables, "5");
  save_as("league.sch");
  std::string shown;  // the weeks and the result file name the dialog opened with
  const auto run = [&](const std::string& weeks, const std::string& result) {
    bool closed = false;
    ws.on_dialog([&](FakeWindowSystem& fake, base::DialogHandler& handler) {
      shown = fake.text(c::weeks) + " " + fake.text(c::result_file);
      EXPECT_TRUE(fake.is_checked(c::effort_yes) && fake.is_checked(c::viewer_notepad));
      fake.type(c::weeks, weeks);
      fake.type(c::result_file, result);
      fake.set_checked(c::effort_yes, false);
      fake.set_checked(c::effort_no, true);
      closed = handler.on_command(fake, c::do_it);
    });
    if (league().file_state != FileState::Saved) ws.answer_next(base::Answer::Ok);
    ws.click(c::schedule_button);
    return closed;
  };
  EXPECT_FALSE(run("4", ""));
  EXPECT_EQ(shown, "2 schedule.txt");  // one team
  EXPECT_EQ(ws.messages().back().caption, "Stop !");
  EXPECT_TRUE(ws.started_programs().empty() && ws.opened_files().empty());

  const std::tuple<int, const char*, const char*, int> cases[] = {{1, "2 ", "500", 200},
                                                                  {5, "10 out.txt", "-3", 0},
                                                                  {6, "10 out.txt", "  12abc", 12},
                                                                  {6, "10 out.txt", "abc", 0}};
  for (const auto& one : cases) {
    ws.select_row(c::bar_list, 0);  // each save reads the league back, with no bar selected
    for (int t = league().n_team; t < std::get<0>(one); ++t) add_team("Team " + std::to_string(t));
    ASSERT_TRUE(run(std::get<2>(one), "out.txt")) << std::get<2>(one);
    EXPECT_EQ(shown, std::get<1>(one));
    EXPECT_EQ(logic->schedule_options().season_weeks, std::get<3>(one));
  }
  EXPECT_TRUE(std::filesystem::exists(folder / "out.txt"));  // beside the league file
  EXPECT_EQ(ws.started_programs().size() + ws.opened_files().size(), 4u);
}

// Each way to build the season reaches the run; the variant counts only
// with Fairest, and a variant out of range is taken at its nearest end.
TEST_F(ScheduleCommandTest, EveryChoiceOfTheDialogReachesTheRun) {
  add_bar("Hall");
  ws.type(c::tables, "2");
  add_team("Second");
  save_as("league.sch");
  const struct {
    int choice;
    const char* variant;
    int effort;
    bool fairest;
    int expected_variant;
  } cases[] = {
      {c::effort_no, "1", 1, false, 1},           {c::effort_harder, "1", 3, false, 1},
      {c::effort_hardest, "1", 4, false, 1},      {c::effort_fairest, "7", 2, true, 7},
      {c::effort_fairest, "5000", 2, true, 1000}, {c::effort_fairest, "x", 2, true, 1},
  };
  for (const auto& k : cases) {
    ws.on_dialog([&](FakeWindowSystem& fake, base::DialogHandler& handler) {
      EXPECT_FALSE(fake.is_checked(c::effort_fairest));
      EXPECT_EQ(fake.text(c::variant), "1");
      fake.set_checked(c::effort_yes, false);
      fake.set_checked(k.choice, true);
      fake.type(c::variant, k.variant);
      fake.set_checked(c::viewer_wordpad, true);
      fake.set_checked(c::comma_delimited, true);
      EXPECT_TRUE(handler.on_command(fake, c::do_it));
    });
    ws.click(c::schedule_button);
    const schedule::ScheduleOptions& o = logic->schedule_options();
    EXPECT_EQ(std::tuple(o.effort, o.fairest, o.variant, o.viewer, o.comma_delimited),
              std::tuple(k.effort, k.fairest, k.expected_variant, schedule::Viewer::WordPad, true));
  }
}

// A schedule that cannot be shown is still written; the user learns where.
TEST_F(ScheduleCommandTest, WhenNoViewerStartsTheUserIsToldWhereTheFileIs) {
  add_bar("Hall");
  save_as("league.sch");
  ws.set_start_succeeds(false);
  ws.on_dialog([](FakeWindowSystem& fake, base::DialogHandler& handler) {
    fake.set_checked(c::effort_yes, false);
    fake.set_checked(c::effort_no, true);
    EXPECT_TRUE(handler.on_command(fake, c::do_it));
  });
  ws.click(c::schedule_button);
  EXPECT_EQ(last_message(), "The schedule was saved as " + file("schedule.txt") +
                                ", but no program could be started to show it.");
  EXPECT_EQ(ws.messages().back().caption, "Information");
  EXPECT_TRUE(std::filesystem::exists(folder / "schedule.txt"));
}

}  // namespace
}  // namespace quintora::test
