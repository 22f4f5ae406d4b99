// The Schedule command from the main window: its checks, the save question,
// and the dialog it opens.

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
  EXPECT_EQ(ws.messages().back().caption, "Stop !");

  ws.type(c::tables, "3");
  ws.answer_next(ui::Answer::Cancel);
  ws.click(cmd::view_schedule);
  EXPECT_EQ(last_message(), "Save changes before continue?");
  EXPECT_EQ(ws.messages().back().buttons, ui::Buttons::OkCancel);
  EXPECT_TRUE(ws.dialogs().empty());
}

TEST_F(ScheduleCommandTest, DialogOpensWithOnePassEachWayYesAndNotePad) {
  add_bar("Hall");
  ws.type(c::tables, "5");
  save_as("league.sch");
  const std::pair<int, const char*> cases[] = {{1, "2"}, {5, "10"}, {6, "10"}};
  for (const auto& one : cases) {
    ws.select_row(c::bar_list, 0);  // each save reads the league back, with no bar selected
    for (int t = league().n_team; t < one.first; ++t) add_team("Team " + std::to_string(t));
    ASSERT_EQ(league().n_team, one.first);
    if (league().file_state != FileState::Saved) ws.answer_next(ui::Answer::Ok);
    ws.on_dialog([&one](FakeWindowSystem& fake, ui::DialogHandler&) {
      EXPECT_EQ(fake.text(c::weeks), one.second) << one.first << " teams";
      EXPECT_TRUE(fake.is_checked(c::effort_yes));
      EXPECT_TRUE(fake.is_checked(c::viewer_notepad));
      EXPECT_EQ(fake.text(c::result_file), "schedule.txt");
    });
    ws.click(c::schedule_button);
  }
  EXPECT_EQ(ws.dialogs(), std::vector<ui::DialogId>(3, ui::DialogId::Schedule));
}

TEST_F(ScheduleCommandTest, DoItConvertsTheWeeksAndStaysOpenWhenTheResultCannotBeCreated) {
  add_bar("Corner Pocket");
  add_team("Sharks");
  save_as("league.sch");
  // Runs the dialog without optimisation; true when it closed.
  std::string shown;  // the result file name the dialog opened with
  const auto run = [&](const std::string& weeks, const std::string& result) {
    bool closed = false;
    ws.on_dialog([&](FakeWindowSystem& fake, ui::DialogHandler& handler) {
      shown = fake.text(c::result_file);
      fake.type(c::weeks, weeks);
      fake.type(c::result_file, result);
      fake.set_checked(c::effort_yes, false);
      fake.set_checked(c::effort_no, true);
      closed = handler.on_command(fake, c::do_it);
    });
    ws.click(c::schedule_button);
    return closed;
  };
  EXPECT_FALSE(run("4", ""));
  EXPECT_EQ(ws.messages().back().caption, "Stop !");
  EXPECT_TRUE(ws.started_programs().empty() && ws.opened_files().empty());

  const std::pair<const char*, int> cases[] = {{"500", 200}, {"-3", 0}, {"  12abc", 12}, {"abc", 0}};
  for (const auto& [text, weeks] : cases) {
    ASSERT_TRUE(run(text, "out.txt")) << text;
    EXPECT_EQ(logic->schedule_options().season_weeks, weeks) << text;
  }
  EXPECT_EQ(shown, "out.txt");                               // the last name entered
  EXPECT_TRUE(std::filesystem::exists(folder / "out.txt"));  // beside the league file
  EXPECT_EQ(ws.started_programs().size() + ws.opened_files().size(), 4u);
}

}  // namespace
}  // namespace quintora::test
