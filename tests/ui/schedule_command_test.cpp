// The Schedule command from the main window: its checks, the save question,
// and the dialog it opens.

#include "main_window_fixture.h"

namespace quintora::test {
namespace {

using ScheduleCommandTest = MainWindowTest;

TEST_F(ScheduleCommandTest, EmptyLeagueIsRefusedWithoutAQuestion) {
  ws.click(c::schedule_button);
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_EQ(last_message(), "Cannot schedule without teams.");
  EXPECT_EQ(last_caption(), "Stop !");
  EXPECT_TRUE(ws.dialogs().empty());
}

TEST_F(ScheduleCommandTest, TooFewTablesStopsBeforeTheQuestion) {
  add_bar("Corner Pocket");
  ws.type(c::tables, "3");
  for (const char* team : {"A", "B", "C", "D"}) add_team(team);
  ws.type(c::tables, "2");  // taken without a test: 5 teams need 3 tables
  ws.clear_messages();
  ws.click(cmd::view_schedule);
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_EQ(last_message(), "Not enough tables for this bar: Corner Pocket");
  EXPECT_TRUE(ws.dialogs().empty());

  ws.type(c::tables, "3");
  ws.answer_next(ui::Answer::Cancel);
  ws.click(cmd::view_schedule);
  EXPECT_EQ(last_message(), "Save changes before continue?");
  EXPECT_EQ(ws.messages().back().buttons, ui::Buttons::OkCancel);
  EXPECT_TRUE(ws.dialogs().empty());
}

TEST_F(ScheduleCommandTest, OkForAnUntitledLeagueAsksForANameAndCancelAbandonsTheRun) {
  add_bar("Corner Pocket");
  ws.answer_next(ui::Answer::Ok);
  ws.choose_next(std::nullopt);
  ws.click(c::schedule_button);
  EXPECT_EQ(ws.file_requests().size(), 1u);
  EXPECT_TRUE(ws.dialogs().empty());
  EXPECT_EQ(league().file_state, FileState::UntitledModified);
}

// The dialog opens with the weeks of one pass each way, "Yes" and "NotePad".
class ScheduleDefaultsTest : public MainWindowTest, public ::testing::WithParamInterface<std::pair<int, const char*>> {};

INSTANTIATE_TEST_SUITE_P(TeamCounts, ScheduleDefaultsTest,
                         ::testing::Values(std::pair{6, "10"}, std::pair{5, "10"}, std::pair{1, "2"}));

TEST_P(ScheduleDefaultsTest, WeeksFollowTheTeamCount) {
  add_bar("Hall");
  ws.type(c::tables, "5");
  for (int i = 1; i < GetParam().first; ++i) add_team("Team " + std::to_string(i));
  ws.answer_next(ui::Answer::Ok);
  ws.choose_next(file("league.sch"));
  std::string weeks;
  ws.on_dialog([&](FakeWindowSystem& fake, ui::DialogHandler&) { weeks = fake.text(c::weeks); });
  ws.click(c::schedule_button);
  ASSERT_EQ(ws.dialogs().size(), 1u);
  EXPECT_EQ(ws.dialogs().front(), ui::DialogId::Schedule);
  EXPECT_EQ(weeks, GetParam().second);
  EXPECT_TRUE(ws.is_checked(c::effort_yes));
  EXPECT_TRUE(ws.is_checked(c::viewer_notepad));
  EXPECT_EQ(ws.text(c::result_file), "schedule.txt");
}

class ScheduleRunTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    add_bar("Corner Pocket");
    ws.type(c::tables, "2");
    add_team("Sharks");
    add_team("Cues");
    save_as("league.sch");
    ws.clear_messages();
  }
  // Runs the dialog with the given weeks and result file, no optimisation.
  bool run(const std::string& weeks, const std::string& result) {
    bool closed = false;
    ws.on_dialog([&](FakeWindowSystem& fake, ui::DialogHandler& handler) {
      fake.type(c::weeks, weeks);
      fake.type(c::result_file, result);
      fake.set_checked(c::effort_yes, false);
      fake.set_checked(c::effort_no, true);
      closed = handler.on_command(fake, c::do_it);
    });
    ws.click(c::schedule_button);
    return closed;
  }
};

TEST_F(ScheduleRunTest, ResultLandsBesideTheLeagueAndTheViewerStarts) {
  ASSERT_TRUE(run("4", "out.txt"));
  EXPECT_TRUE(std::filesystem::exists(folder / "out.txt"));
  EXPECT_EQ(logic->schedule_options().result_file, "out.txt");
  ASSERT_EQ(ws.started_programs().size() + ws.opened_files().size(), 1u);
}

TEST_F(ScheduleRunTest, WeeksTextIsConvertedAndClamped) {
  const std::pair<const char*, int> cases[] = {{"500", 200}, {"-3", 0}, {"  12abc", 12}, {"abc", 0}};
  for (const auto& [text, weeks] : cases) {
    ASSERT_TRUE(run(text, "out.txt")) << text;
    EXPECT_EQ(logic->schedule_options().season_weeks, weeks) << text;
  }
}

TEST_F(ScheduleRunTest, ResultFileThatCannotBeCreatedKeepsTheDialogOpen) {
  EXPECT_FALSE(run("4", ""));
  ASSERT_FALSE(ws.messages().empty());
  EXPECT_EQ(ws.messages().back().caption, "Stop !");
  EXPECT_TRUE(ws.started_programs().empty());
  EXPECT_TRUE(ws.opened_files().empty());
  // The next opening shows the last name entered and the defaults again.
  std::string shown;
  ws.on_dialog([&](FakeWindowSystem& fake, ui::DialogHandler&) { shown = fake.text(c::result_file); });
  ws.click(c::schedule_button);
  EXPECT_EQ(shown, "");
  EXPECT_TRUE(ws.is_checked(c::effort_yes));
}

}  // namespace
}  // namespace quintora::test
