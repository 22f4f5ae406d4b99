// New, Open, Save, Save As, Exit and the unsaved-changes question in each
// state of the league.

#include "base/atomic_file.h"
#include "main_window_fixture.h"

namespace quintora::test {
namespace {

using FileCommandsTest = MainWindowTest;

TEST_F(FileCommandsTest, SaveWritesOnlyChangesAndTheTitlesLetterCaseIsNoChange) {
  ws.click(cmd::file_save);
  EXPECT_TRUE(ws.file_requests().empty());
  save_as("league.sch");  // without changes, still written
  ASSERT_TRUE(std::filesystem::remove(folder / "league.sch"));
  ws.type(c::title, "Spring League");
  ws.click(cmd::file_save);
  ASSERT_TRUE(std::filesystem::remove(folder / "league.sch"));
  ws.type(c::title, "SPRING league");
  ws.click(cmd::file_save);
  ws.click(cmd::file_exit);
  EXPECT_FALSE(std::filesystem::exists(folder / "league.sch"));
  EXPECT_TRUE(ws.messages().empty());
  EXPECT_EQ(quit_code, 0);
}

TEST_F(FileCommandsTest, YesWritesALeaguesFileAtOnceAndAFailedWriteStopsTheCommand) {
  std::filesystem::create_directories(folder / "sub");
  add_bar("Corner Pocket");
  save_as("sub/league.sch");
  add_bar("Eight Ball");
  ws.answer_next(base::Answer::Yes);
  ws.click(cmd::file_new);
  EXPECT_EQ(ws.file_requests().size(), 1u);  // no dialog for the question's save
  EXPECT_EQ(ws.text(c::file_name_label), "Untitled");
  EXPECT_TRUE(ws.list_texts(c::bar_list).empty());
  ws.choose_next(file("sub/league.sch"));
  ws.click(cmd::file_open);
  EXPECT_TRUE(ws.file_requests().back().must_exist);
  const auto& filters = ws.file_requests().back().filters;
  ASSERT_EQ(filters.size(), 3u);
  EXPECT_EQ(filters[0].name + " " + filters[0].pattern, "Vazedored Files(*.SCH) *.sch");
  EXPECT_EQ(ws.list_texts(c::bar_list), (std::vector<std::string>{"Corner Pocket", "Eight Ball"}));
  EXPECT_EQ(ws.text(c::file_name_label), file("sub/league.sch"));
  add_bar("Rack Room");
  std::filesystem::remove_all(folder / "sub");
  ws.answer_next(base::Answer::Yes);
  ws.click(cmd::file_exit);
  EXPECT_EQ(quit_code, -1);
  EXPECT_EQ(ws.messages().size(), 3u);  // two questions and the failure
  EXPECT_EQ(league().file_state, FileState::Modified);
}

TEST_F(FileCommandsTest, UnsavedChangesSurviveNoCancelAndACancelledSaveAs) {
  ws.type(c::title, "Spring League");  // the only change
  ws.answer_next(base::Answer::No);
  ws.click(cmd::file_open);  // the open dialog is cancelled
  ws.answer_next(base::Answer::Cancel);
  ws.click(cmd::file_exit);
  EXPECT_EQ(last_message(), "Save changes before closing the current file?");
  const MessageRecord& box = ws.messages().back();
  EXPECT_EQ(std::tie(box.caption, box.icon, box.buttons),
            std::tuple("Warning !", base::Icon::Exclamation, base::Buttons::YesNoCancel));
  ws.click(cmd::file_save);  // untitled: asks for a name, cancelled
  // Yes (OK before a schedule run) for an untitled league opens Save As;
  // cancelling it abandons the command that asked.
  for (int command : {cmd::file_new, cmd::file_open, cmd::file_exit}) {
    ws.answer_next(base::Answer::Yes);
    ws.click(command);
  }
  add_bar("Corner Pocket");
  ws.answer_next(base::Answer::Ok);
  ws.click(c::schedule_button);
  EXPECT_EQ(ws.messages().size(), 6u);
  ASSERT_EQ(ws.file_requests().size(), 6u);  // one open dialog, then only Save As dialogs
  for (std::size_t i = 1; i < 6; ++i) EXPECT_EQ(ws.file_requests()[i].kind, base::FileDialogKind::Save);
  EXPECT_EQ(std::tie(ws.file_requests()[1].default_suffix, ws.file_requests()[1].confirm_overwrite),
            std::tuple("sch", true));
  EXPECT_EQ(ws.text(c::title), "Spring League");
  EXPECT_EQ(league().file_state, FileState::UntitledModified);
  EXPECT_EQ(quit_code, -1);
  EXPECT_TRUE(ws.dialogs().empty());
}

TEST_F(FileCommandsTest, FilesThatCannotBeReadOrWrittenAreNamedAndChangeNothing) {
  add_bar("Corner Pocket");
  save_as("league.sch");
  add_bar("Eight Ball");
  for (const std::string& bad : {file("no such folder/league.sch"), file(std::string(300, 'x') + ".sch")}) {
    ws.choose_next(bad);
    ws.click(cmd::file_save_as);
    EXPECT_NE(last_message().find(bad), std::string::npos);  // named, not cut
  }
  std::ofstream(folder / "notes.txt") << "shopping list\n";
  for (const char* name : {"notes.txt", "gone.sch"}) {
    ws.answer_next(base::Answer::No);
    ws.choose_next(file(name));
    ws.click(cmd::file_open);
  }
  EXPECT_EQ(ws.messages()[3].text, "Not a Vazedored file.");
  EXPECT_NE(last_message().find(file("gone.sch")), std::string::npos);
  EXPECT_EQ(league().current_file_path.view(), file("league.sch"));
  EXPECT_EQ(ws.text(c::file_name_label), file("league.sch"));
  EXPECT_EQ(league().file_state, FileState::Modified);
}

// Another program changes the file between the save and its read-back: the
// user is told, and the league in the window stays as it was, unsaved.
TEST_F(FileCommandsTest, AReadBackThatFailsKeepsTheLeagueUnsaved) {
  add_bar("Corner Pocket");
  base::WriteFaults faults;
  faults.after_commit = [](const std::filesystem::path& file) { std::ofstream(file) << "not a league\n"; };
  base::set_write_faults_for_testing(faults);
  save_as("league.sch");
  base::set_write_faults_for_testing({});
  EXPECT_EQ(last_message(),
            "The league was saved to " + file("league.sch") + ", but the saved file could not be read back.");
  EXPECT_EQ(league().file_state, FileState::UntitledModified);
  EXPECT_EQ(ws.list_texts(c::bar_list), std::vector<std::string>{"Corner Pocket"});
  ws.answer_next(base::Answer::Cancel);
  ws.click(cmd::file_exit);
  EXPECT_EQ(quit_code, -1);
}

}  // namespace
}  // namespace quintora::test
