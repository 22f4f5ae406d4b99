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
  enter(c::title, "Spring League", cmd::file_save);
  ASSERT_TRUE(std::filesystem::remove(folder / "league.sch"));
  enter(c::title, "SPRING league", cmd::file_save);
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
  EXPECT_EQ(std::tuple(ws.file_requests().size(), ws.text(c::file_name_label), ws.list_count(c::bar_list)),
            std::tuple(1u, "Untitled", 0));  // no dialog for the question's save
  ws.choose_next(file("sub/league.sch"));
  ws.click(cmd::file_open);
  const base::FileDialogRequest& open = ws.file_requests().back();
  ASSERT_EQ(open.filters.size(), 3u);
  EXPECT_EQ(std::tuple(open.must_exist, open.filters[0].name + " " + open.filters[0].pattern),
            std::tuple(true, "Vazedored Files(*.SCH) *.sch"));
  EXPECT_EQ(std::pair(ws.list_texts(c::bar_list), ws.text(c::file_name_label)),
            std::pair(Strings{"Corner Pocket", "Eight Ball"}, file("sub/league.sch")));
  add_bar("Rack Room");
  std::filesystem::remove_all(folder / "sub");
  ws.answer_next(base::Answer::Yes);
  ws.click(cmd::file_exit);
  EXPECT_EQ(std::tuple(quit_code, ws.messages().size(), league().file_state),
            std::tuple(-1, 3u, FileState::Modified));  // two questions and the failure
}

// Yes (OK before a schedule run) for an untitled league opens Save As;
// cancelling it abandons the command that asked, as No and Cancel do.
TEST_F(FileCommandsTest, UnsavedChangesSurviveNoCancelAndACancelledSaveAs) {
  ws.type(c::title, "Spring League");                                                // the only change
  const std::pair<base::Answer, int> asked[] = {{base::Answer::No, cmd::file_open},  // the open is cancelled
                                                {base::Answer::Cancel, cmd::file_exit},
                                                {base::Answer::Yes, cmd::file_new},
                                                {base::Answer::Yes, cmd::file_open},
                                                {base::Answer::Yes, cmd::file_exit}};
  for (const auto& [answer, command] : asked) {
    ws.answer_next(answer);
    ws.click(command);
  }
  const MessageRecord& box = ws.messages().back();
  EXPECT_EQ(std::tie(box.text, box.caption, box.icon, box.buttons),
            std::tuple("Save changes before closing the current file?", "Warning !", base::Icon::Exclamation,
                       base::Buttons::YesNoCancel));
  ws.click(cmd::file_save);  // untitled: asks for a name, cancelled
  add_bar("Corner Pocket");
  ws.answer_next(base::Answer::Ok);
  ws.click(c::schedule_button);
  EXPECT_EQ(ws.messages().size(), 6u);
  ASSERT_EQ(ws.file_requests().size(), 6u);  // one open dialog, then only Save As dialogs
  for (std::size_t i = 1; i < 6; ++i) EXPECT_EQ(ws.file_requests()[i].kind, base::FileDialogKind::Save);
  EXPECT_EQ(std::tie(ws.file_requests()[1].default_suffix, ws.file_requests()[1].confirm_overwrite),
            std::tuple("sch", true));
  EXPECT_EQ(std::tuple(ws.text(c::title), league().file_state, quit_code, ws.dialogs().size()),
            std::tuple("Spring League", FileState::UntitledModified, -1, 0u));
}

// A file that cannot be written, read or read back is named; the league in
// the window stays as it was, unsaved, and keeps its file.
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
  base::WriteFaults faults;  // another program changes the file between the save and its read-back
  faults.after_commit = [](const std::filesystem::path& f) { std::ofstream(f) << "not a league\n"; };
  base::set_write_faults_for_testing(faults);
  ws.click(cmd::file_save);
  base::set_write_faults_for_testing({});
  EXPECT_EQ(last_message(),
            "The league was saved to " + file("league.sch") + ", but the saved file could not be read back.");
  EXPECT_EQ(std::tuple(league().current_file_path.view(), ws.text(c::file_name_label), league().file_state,
                       ws.list_texts(c::bar_list)),
            std::tuple(file("league.sch"), file("league.sch"), FileState::Modified,
                       Strings{"Corner Pocket", "Eight Ball"}));
}

}  // namespace
}  // namespace quintora::test
