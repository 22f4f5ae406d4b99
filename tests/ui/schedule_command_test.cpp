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
  add_bar("Corner Pocket");
  ws.type(c::tables, "3");
  for (const char* team : {"A", "B", "C", "D"}) add_team(team);
  ws.type(c::tables, "2");  // taken without a test: 5 teams need 3 tables
  ws.click(cmd::view_schedule);
  EXPECT_EQ(last_message(), "Not enough tables for this bar: Corner Pocket");
  ws.type(c::tables, "3");
  ws.answer_next(base::Answer::Cancel);
  ws.click(cmd::view_schedule);
  EXPECT_EQ(std::tuple(last_message(), ws.messages().back().buttons),
            std::tuple("Save changes before continue?", base::Buttons::OkCancel));
}

// The dialog opens with two passes of weeks, "Yes", "NotePad", variant 1 and
// the last result file name. "Do it" converts the weeks and takes each choice
// (the variant at its nearest end), or stays open when the result cannot be
// created; a schedule that no program can show is still written.
TEST_F(ScheduleCommandTest, TheDialogOpensWithItsDefaultsAndDoItTakesEachChoice) {
  add_bar("Hall");
  ws.type(c::tables, "5");
  save_as("league.sch");
  std::string shown;  // the weeks and the result file name the dialog opened with
  const auto run = [&](const char* weeks, const char* result, int choice, const char* variant) {
    bool closed = false;
    ws.on_dialog([&](FakeWindowSystem& fake, base::DialogHandler& handler) {
      shown = fake.text(c::weeks) + " " + fake.text(c::result_file);
      EXPECT_TRUE(fake.is_checked(c::effort_yes) && fake.is_checked(c::viewer_notepad) &&
                  !fake.is_checked(c::effort_fairest) && fake.text(c::variant) == "1");
      fake.type(c::weeks, weeks);
      fake.type(c::result_file, result);
      fake.type(c::variant, variant);
      fake.set_checked(c::effort_yes, false);
      fake.set_checked(choice, true);
      fake.set_checked(c::viewer_wordpad, true);
      fake.set_checked(c::comma_delimited, true);
      closed = handler.on_command(fake, c::do_it);
    });
    if (league().file_state != FileState::Saved) ws.answer_next(base::Answer::Ok);
    ws.click(c::schedule_button);
    return closed;
  };
  EXPECT_FALSE(run("4", "", c::effort_no, "1"));
  EXPECT_EQ(std::tuple(shown, ws.messages().back().caption, ws.started_programs().size()),
            std::tuple("2 schedule.txt", "Stop !", 0u));  // one team

  const struct {
    int teams;
    const char *weeks, *variant;
    int choice;
    const char* shown;
    int season_weeks, effort;
    bool fairest;
    int expected_variant;
  } cases[] = {
      {1, "500", "1", c::effort_no, "2 ", 200, 1, false, 1},
      {2, "-3", "1", c::effort_harder, "2 out.txt", 0, 3, false, 1},
      {2, "  12abc", "1", c::effort_hardest, "2 out.txt", 12, 4, false, 1},
      {5, "abc", "7", c::effort_fairest, "10 out.txt", 0, 2, true, 7},
      {6, "4", "5000", c::effort_fairest, "10 out.txt", 4, 2, true, 1000},
      {6, "4", "x", c::effort_fairest, "10 out.txt", 4, 2, true, 1},
  };
  for (const auto& k : cases) {
    ws.select_row(c::bar_list, 0);  // each save reads the league back, with no bar selected
    for (int t = league().n_team; t < k.teams; ++t) add_team("Team " + std::to_string(t));
    ASSERT_TRUE(run(k.weeks, "out.txt", k.choice, k.variant)) << k.weeks;
    const schedule::ScheduleOptions& o = logic->schedule_options();
    EXPECT_EQ(std::tuple(shown, o.season_weeks, o.effort, o.fairest, o.variant, o.viewer, o.comma_delimited),
              std::tuple(k.shown, k.season_weeks, k.effort, k.fairest, k.expected_variant,
                         schedule::Viewer::WordPad, true));
  }
  EXPECT_TRUE(std::filesystem::exists(folder / "out.txt"));  // beside the league file
  EXPECT_EQ(ws.started_programs().size() + ws.opened_files().size(), std::size(cases));

  ws.set_start_succeeds(false);
  ASSERT_TRUE(run("4", "late.txt", c::effort_no, "1"));
  EXPECT_EQ(last_message(), "The schedule was saved as " + file("late.txt") +
                                ", but no program could be started to show it.");
  EXPECT_TRUE(std::filesystem::exists(folder / "late.txt"));
}

}  // namespace
}  // namespace quintora::test
