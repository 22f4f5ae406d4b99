// New, Open, Save, Save As, Exit and the unsaved-changes question in each
// state of the league.

#include "main_window_fixture.h"

namespace quintora::test {
namespace {

using FileCommandsTest = MainWindowTest;

constexpr const char* close_question = "Save changes before closing the current file?";

TEST_F(FileCommandsTest, SaveWithoutChangesWritesNothing) {
  ws.click(cmd::file_save);
  EXPECT_TRUE(ws.file_requests().empty());
  save_as("league.sch");
  ASSERT_EQ(league().file_state, FileState::Saved);
  std::filesystem::remove(folder / "league.sch");
  ws.click(cmd::file_save);
  EXPECT_FALSE(std::filesystem::exists(folder / "league.sch"));
  EXPECT_EQ(ws.file_requests().size(), 1u);
}

TEST_F(FileCommandsTest, TypedTitleAloneCountsAsAChange) {
  ws.type(c::title, "Spring League");
  ws.answer_next(ui::Answer::Cancel);
  ws.click(cmd::file_new);
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_EQ(last_message(), close_question);
  EXPECT_EQ(ws.messages().back().buttons, ui::Buttons::YesNoCancel);
  EXPECT_EQ(ws.messages().back().caption, "Warning !");
  EXPECT_EQ(ws.text(c::title), "Spring League");  // New abandoned

  ws.click(cmd::file_save);  // untitled: asks for a name
  ASSERT_EQ(ws.file_requests().size(), 1u);
  EXPECT_EQ(ws.file_requests().back().kind, ui::FileDialogKind::Save);
  EXPECT_EQ(ws.file_requests().back().default_suffix, "sch");
  EXPECT_TRUE(ws.file_requests().back().confirm_overwrite);
  EXPECT_EQ(league().file_state, FileState::UntitledModified);
}

TEST_F(FileCommandsTest, TitleInOtherLetterCaseIsNoChange) {
  ws.type(c::title, "Spring League");
  save_as("league.sch");
  ws.type(c::title, "SPRING league");
  ws.click(cmd::file_exit);
  EXPECT_TRUE(ws.messages().empty());
  EXPECT_EQ(quit_code, 0);
}

TEST_F(FileCommandsTest, YesForALeagueWithAFileWritesItWithoutADialog) {
  add_bar("Corner Pocket");
  save_as("league.sch");
  add_bar("Eight Ball");
  ws.answer_next(ui::Answer::Yes);
  ws.click(cmd::file_new);
  EXPECT_EQ(ws.file_requests().size(), 1u);
  EXPECT_NE(read_file(folder / "league.sch").find("Eight Ball"), std::string::npos);
  EXPECT_EQ(league().n_bar, 0);
  EXPECT_EQ(league().file_state, FileState::Untitled);
  EXPECT_EQ(ws.text(c::file_name_label), "Untitled");
}

// Yes for an untitled league opens Save As; cancelling it abandons the command.
struct AbandonedCommand {
  const char* name;
  int command;
};

class SaveAsCancelledInsideTheQuestion : public MainWindowTest, public ::testing::WithParamInterface<AbandonedCommand> {};

INSTANTIATE_TEST_SUITE_P(Commands, SaveAsCancelledInsideTheQuestion,
                         ::testing::Values(AbandonedCommand{"New", cmd::file_new}, AbandonedCommand{"Open", cmd::file_open},
                                           AbandonedCommand{"Exit", cmd::file_exit}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(SaveAsCancelledInsideTheQuestion, KeepsTheLeagueAndItsChanges) {
  add_bar("Corner Pocket");
  ws.answer_next(ui::Answer::Yes);
  ws.choose_next(std::nullopt);
  ws.click(GetParam().command);
  ASSERT_EQ(ws.file_requests().size(), 1u);  // the Save As dialog, no open dialog after it
  EXPECT_EQ(ws.file_requests().back().kind, ui::FileDialogKind::Save);
  EXPECT_EQ(league().n_bar, 1);
  EXPECT_EQ(league().file_state, FileState::UntitledModified);
  EXPECT_EQ(quit_code, -1);
}

TEST_F(FileCommandsTest, NoThenCancelledOpenKeepsTheChangesAndAsksAgain) {
  add_bar("Corner Pocket");
  ws.answer_next(ui::Answer::No);
  ws.click(cmd::file_open);
  EXPECT_EQ(ws.file_requests().size(), 1u);
  EXPECT_EQ(league().file_state, FileState::UntitledModified);
  ws.answer_next(ui::Answer::Cancel);
  ws.click(cmd::file_new);
  EXPECT_EQ(ws.messages().size(), 2u);
  EXPECT_EQ(league().n_bar, 1);
}

TEST_F(FileCommandsTest, SaveAsWithoutChangesStillWrites) {
  save_as("empty");
  // The dialog adds the default suffix; the fake takes the name as given.
  EXPECT_TRUE(std::filesystem::exists(folder / "empty"));
  EXPECT_EQ(ws.text(c::file_name_label), file("empty"));
  EXPECT_EQ(league().current_file_path.view(), file("empty"));
}

TEST_F(FileCommandsTest, OpenReadsALeagueAndShowsItsPath) {
  add_bar("Corner Pocket");
  add_bar("Eight Ball");
  save_as("league.sch");
  ws.click(cmd::file_new);
  ws.choose_next(file("league.sch"));
  ws.click(cmd::file_open);
  const ui::FileDialogRequest& request = ws.file_requests().back();
  EXPECT_TRUE(request.must_exist);
  ASSERT_EQ(request.filters.size(), 3u);
  EXPECT_EQ(request.filters[0].name, "Vazedored Files(*.SCH)");
  EXPECT_EQ(request.filters[0].pattern, "*.sch");
  EXPECT_EQ(ws.list_texts(c::bar_list), (std::vector<std::string>{"Corner Pocket", "Eight Ball"}));
  EXPECT_EQ(ws.text(c::file_name_label), file("league.sch"));
  EXPECT_EQ(league().file_state, FileState::Saved);
}

TEST_F(FileCommandsTest, RefusedOrMissingFileChangesNothingButSaysWhy) {
  add_bar("Corner Pocket");
  save_as("league.sch");
  std::ofstream(folder / "notes.txt") << "shopping list\n";

  ws.choose_next(file("notes.txt"));
  ws.click(cmd::file_open);
  EXPECT_EQ(last_message(), "Not a Vazedored file.");
  EXPECT_EQ(ws.text(c::file_name_label), file("league.sch"));

  ws.choose_next(file("gone.sch"));
  ws.click(cmd::file_open);
  EXPECT_NE(last_message().find(file("gone.sch")), std::string::npos);
  EXPECT_EQ(last_caption(), "Sorry !");
  EXPECT_EQ(league().n_bar, 1);
  EXPECT_EQ(league().current_file_path.view(), file("league.sch"));
}

TEST_F(FileCommandsTest, SaveAsToAPlaceThatCannotBeWrittenKeepsTheOldFile) {
  add_bar("Corner Pocket");
  save_as("league.sch");
  add_bar("Eight Ball");
  const std::string unwritable = file("no such folder/league.sch");
  ws.choose_next(unwritable);
  ws.click(cmd::file_save_as);
  EXPECT_NE(last_message().find(unwritable), std::string::npos);
  EXPECT_EQ(league().current_file_path.view(), file("league.sch"));
  EXPECT_EQ(ws.text(c::file_name_label), file("league.sch"));
  EXPECT_EQ(league().file_state, FileState::Modified);
}

TEST_F(FileCommandsTest, PathLongerThanTheLeagueKeepsIsRefused) {
  add_bar("Corner Pocket");
  const std::string long_path = file(std::string(300, 'x') + ".sch");
  ws.choose_next(long_path);
  ws.click(cmd::file_save_as);
  EXPECT_NE(last_message().find("too long"), std::string::npos);
  EXPECT_EQ(league().file_state, FileState::UntitledModified);
  EXPECT_EQ(ws.text(c::file_name_label), "");  // never shown: the fake starts empty
}

TEST_F(FileCommandsTest, FailedSaveInsideTheQuestionStopsExit) {
  const auto sub = folder / "sub";
  std::filesystem::create_directories(sub);
  add_bar("Corner Pocket");
  ws.choose_next((sub / "league.sch").string());
  ws.click(cmd::file_save_as);
  add_bar("Eight Ball");
  std::filesystem::remove_all(sub);  // the file's folder is gone: the write fails
  ws.clear_messages();
  ws.answer_next(ui::Answer::Yes);
  ws.click(cmd::file_exit);
  EXPECT_EQ(quit_code, -1);
  EXPECT_GE(ws.messages().size(), 2u);  // the question and the failure
  EXPECT_EQ(league().n_bar, 2);
  EXPECT_EQ(league().file_state, FileState::Modified);
}

TEST_F(FileCommandsTest, ExitAndCloseBox) {
  add_bar("Corner Pocket");
  ws.answer_next(ui::Answer::Cancel);
  ws.click(cmd::file_exit);
  EXPECT_EQ(quit_code, -1);
  ws.answer_next(ui::Answer::No);
  ws.click(cmd::file_exit);
  EXPECT_EQ(quit_code, 0);
}

}  // namespace
}  // namespace quintora::test
