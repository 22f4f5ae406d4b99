// The main window's rules driven as the user drives them: the bars-and-teams
// editor with its divisions and venue details, the file commands and their
// unsaved-changes question, the Schedule command and its dialog, and the
// settings files.

#include <tuple>

#include "base/atomic_file.h"
#include "main_window_fixture.h"
#include "support/read_file.h"
#include "support/write_faults.h"
#include "ui/display_size.h"
#include "ui/editor_display.h"
#include "ui/schedule_dialog.h"
#include "ui/window_size.h"

namespace quintora::test {
namespace {

using EditorTest = MainWindowTest;
using FileCommandsTest = MainWindowTest;
using ScheduleCommandTest = MainWindowTest;
using SettingsTest = MainWindowTest;

// A new bar brings its team unless a team has its name in any letter case,
// one table takes two teams, a deleted bar takes its teams along, and
// commands act on the entry of the selected row.
// Enter runs the Add of the name field that changed last.
TEST_F(EditorTest, BarsBringTheirTeamsAndCommandsActOnTheSelectedEntry) {
  ws.type(c::bar_name, "Aces High");
  ws.press_enter();
  add_team("Ace2");
  add_team("Ace3");
  EXPECT_EQ(last_message(), "Not enough tables!  Increase number of tables first.");
  ws.type(c::tables, "2");
  ws.click(c::team_add);
  add_bar("ACE3");  // alone
  add_bar("B");
  ws.click(c::auto_add_team);
  add_bar("Ace");  // alone, and selected as the new entry, not an earlier match
  EXPECT_EQ(std::tuple(ws.text(c::total_teams_label), ws.list_selected(c::bar_list), ws.messages().size()),
            std::tuple("4", 3, 1u));
  // Selecting a bar fills the bar name field and then empties the team name
  // field, so Enter runs the team group's Add, which refuses the empty name.
  ws.select_row(c::bar_list, 0);
  ws.press_enter();
  EXPECT_EQ(std::pair(last_message(), ws.list_count(c::bar_list)),
            std::pair(std::string("Not a valid name."), 4));
  ws.click(c::bar_delete);
  EXPECT_EQ(std::tuple(ws.text(c::total_teams_label), ws.list_count(c::team_list), ws.text(c::tables)),
            std::tuple("1", 0, "1"));  // the tables emptied to 0 are shown as 1 at once
  ws.select_row(c::bar_list, 1);       // B
  enter(c::bar_name, "Deuces", c::bar_rename);
  ws.select_row(c::team_list, 0);
  enter(c::team_name, "  Kings  ", c::team_rename);
  EXPECT_EQ(
      std::tuple(league().bar.name[2].view(), league().team.name[3].view(), ws.list_selected(c::team_list)),
      std::tuple("Deuces", "Kings", 0));
}

// Each refusal shows its message and leaves the league and the lists as
// they were, so one state can be refused one command after another.
TEST_F(EditorTest, RefusalsShowTheirMessageAndChangeNothing) {
  const auto refused = [this](int command, const std::string& message) {
    const auto state = [this] {
      return std::tuple(league().n_bar_slot, league().n_team_slot, league().n_team, league().file_state,
                        ws.list_texts(c::bar_list), ws.list_texts(c::team_list));
    };
    const auto before = state();
    ws.clear_messages();
    ws.click(command);
    ASSERT_EQ(ws.messages().size(), 1u) << message;
    const MessageRecord& box = ws.messages().back();
    EXPECT_EQ(std::tie(box.text, box.caption, box.icon),
              std::tuple(message, message == "Not a valid name." ? "Sorry !" : "Stop !", base::Icon::Error));
    EXPECT_EQ(state(), before) << message;
  };
  refused(c::team_add, "Please add a bar first.");
  refused(c::bar_delete, "Please select a bar first.");
  refused(c::bar_rename, "Please select a bar first.");
  refused(c::team_delete, "Please select a team first.");
  refused(c::team_rename, "Please select a team first.");
  add_bar("A");
  refused(c::bar_rename, "Not a valid name.");
  add_team("B");
  ws.click(c::team_delete);  // leaves no team selected
  refused(c::team_delete, "Please select a team.");
  refused(c::team_rename, "Please select a team.");
  add_bar("C");
  ws.click(c::bar_delete);  // leaves no bar selected
  refused(c::bar_delete, "Please select a bar.");
  refused(c::bar_rename, "Please select a bar.");
  refused(c::team_add, "Please select a bar to add team to.");
  // Deleted bars keep their room until a save, so the room can run out first.
  while (league().n_bar_slot < league::bar_room) {
    add_bar("Bar " + std::to_string(league().n_bar_slot));
    ws.click(c::bar_delete);
  }
  ws.type(c::bar_name, "One More");
  refused(c::bar_add,
          "There is no room for another bar until the league is saved (deleted bars keep their room until "
          "then). Please save the league first.");

  ws.answer_next(base::Answer::No);
  ws.click(cmd::file_new);
  set_tables(league(), league::add_bar(league(), "Hall"), 50);
  for (int t = 0; t < league::max_teams; ++t) league::add_team(league(), "Team " + std::to_string(t), 0);
  ui::show_league(league(), ws);
  ws.select_row(c::bar_list, 0);
  refused(c::team_add, "Only 99 teams are allowed.");
  ws.click(c::auto_add_team);
  for (int b = 1; b < league::max_bars; ++b) add_bar("Bar " + std::to_string(b));
  refused(c::bar_add, "Only 49 bars are allowed.");
}

// A one-division league's team list is as it always was; a second division
// shows each team's, and deleting one moves its teams to the first.
TEST_F(EditorTest, DivisionsAreListedChosenPerTeamAndShownInTheTeamList) {
  add_bar("Corner Pocket");
  ws.type(c::tables, "2");
  add_team("Sharks");
  ws.type(c::division_name, " Premier ");
  ws.press_enter();
  enter(c::division_name, "premier", c::division_add);
  EXPECT_EQ(last_message(), "Division name is already used.");
  enter(c::division_name, "First", c::division_add);
  EXPECT_EQ(ws.list_texts(c::team_division), (Strings{"Division 1", "Premier", "First"}));
  EXPECT_EQ(ws.list_texts(c::team_list), (Strings{"Corner Pocket (Division 1)", "Sharks (Division 1)"}));
  ws.select_row(c::team_list, 1);
  ws.select_row(c::team_division, 2);
  ws.select_row(c::division_list, 0);
  EXPECT_EQ(ws.text(c::division_name), "Division 1");
  enter(c::division_name, "Top", c::division_rename);
  add_team("Rays");  // joins the division shown, Sharks'
  EXPECT_EQ(ws.list_texts(c::team_list), (Strings{"Corner Pocket (Top)", "Sharks (First)", "Rays (First)"}));
  EXPECT_EQ(std::tuple(ws.list_selected(c::team_list), ws.list_selected(c::team_division)), std::tuple(2, 2));
  ws.select_row(c::division_list, 2);
  ws.click(c::division_delete);
  EXPECT_EQ(ws.list_texts(c::team_list), (Strings{"Corner Pocket (Top)", "Sharks (Top)", "Rays (Top)"}));
  ws.select_row(c::division_list, 1);
  ws.click(c::division_delete);
  EXPECT_EQ(ws.list_texts(c::team_list), (Strings{"Corner Pocket", "Sharks", "Rays"}));
  ws.select_row(c::division_list, 0);
  ws.click(c::division_delete);
  EXPECT_EQ(last_message(), "A league keeps at least one division.");
}

// A value on its way ("19:") waits; leaving the field with it puts the kept
// value back and says why. The fields follow the selected bar, and the
// divisions and the venue details reach the file and come back from it.
TEST_F(EditorTest, VenueFieldsTakeValidValuesAndAreSavedWithTheDivisions) {
  ws.type(c::address, "No bar selected");
  ws.leave(c::address);
  EXPECT_TRUE(ws.messages().empty());
  add_bar("Corner Pocket");
  ws.type(c::bar_start, "19:");
  ws.leave(c::bar_start);
  EXPECT_EQ(
      last_message(),
      "The start time 19: is not of the form HH:MM (00:00 to 23:59); leave it empty for the league's time.");
  EXPECT_EQ(std::tuple(ws.text(c::bar_start), league().bar.start[0].has_value()), std::tuple("", false));
  ws.type(c::phone, "0117\t496");  // each field's refusals are the league tests' business
  ws.leave(c::phone);
  EXPECT_EQ(last_message(), "A phone number cannot hold a tab, a line break or another control character.");
  add_bar("Eight Ball");
  EXPECT_EQ(ws.text(c::address), "");
  ws.type(c::address, "Quay Street\nBristol");
  ws.type(c::bar_start, "19:45");
  enter(c::division_name, "Second", c::division_add);
  ws.select_row(c::team_division, 1);  // Eight Ball's team
  save_as("details.sch");
  EXPECT_EQ(std::tuple(ws.list_texts(c::division_list), ws.text(c::address), league().file_state),
            std::tuple(Strings{"Division 1", "Second"}, "", league::FileState::Saved));  // no bar selected
  ws.select_row(c::bar_list, 1);  // showing a bar's details changes nothing
  EXPECT_EQ(std::tuple(ws.text(c::address), ws.text(c::phone), ws.text(c::bar_start), league().file_state),
            std::tuple("Quay Street, Bristol", "", "19:45", league::FileState::Saved));
  EXPECT_EQ(std::tuple(ws.list_texts(c::team_list), ws.list_selected(c::team_division)),
            std::tuple(Strings{"Eight Ball (Second)"}, 1));
  ws.click(c::bar_delete);
  EXPECT_EQ(std::pair(ws.text(c::address), ws.messages().size()), std::pair(std::string(), std::size_t{2}));
}

// Save writes only changes (the title's letter case is none); Yes to the
// question writes a titled league's file without a dialog, and a failed
// write stops the command that asked.
TEST_F(FileCommandsTest, SaveWritesOnlyChangesAndAFailedWriteStopsTheCommand) {
  std::filesystem::create_directories(folder_ / "sub");
  ws.click(cmd::file_save);  // untitled and unchanged: no dialog
  ws.type(c::title, "Spring League");
  add_bar("Corner Pocket");
  save_as("sub/league.sch");
  ASSERT_TRUE(std::filesystem::remove(folder_ / "sub/league.sch"));
  enter(c::title, "SPRING league", cmd::file_save);
  ws.click(cmd::file_exit);  // nothing to save: no question
  EXPECT_EQ(std::pair(std::filesystem::exists(folder_ / "sub/league.sch"), std::exchange(quit_code, -1)),
            std::pair(false, 0));
  add_bar("Eight Ball");
  ws.answer_next(base::Answer::Yes);
  ws.click(cmd::file_new);
  EXPECT_EQ(std::tuple(ws.file_requests().size(), ws.text(c::file_name_label), ws.list_count(c::bar_list)),
            std::tuple(1u, "Untitled", 0));  // no dialog for the question's save
  ws.choose_next(file("sub/league.sch"));
  ws.click(cmd::file_open);
  const base::FileDialogRequest& open = ws.file_requests().back();
  EXPECT_EQ(std::tuple(open.must_exist, open.filters.at(0).name + " " + open.filters.at(0).pattern),
            std::tuple(true, "Vazedored Files(*.SCH) *.sch"));
  EXPECT_EQ(std::pair(ws.list_texts(c::bar_list), ws.text(c::file_name_label)),
            std::pair(Strings{"Corner Pocket", "Eight Ball"}, file("sub/league.sch")));
  add_bar("Rack Room");
  std::filesystem::remove_all(folder_ / "sub");
  ws.answer_next(base::Answer::Yes);
  ws.click(cmd::file_exit);
  EXPECT_EQ(std::tuple(quit_code, ws.messages().size(), league().file_state),
            std::tuple(-1, 3u, league::FileState::Modified));  // two questions and the failure
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
  std::string asked_for;  // one open dialog, then only Save As dialogs
  for (const base::FileDialogRequest& r : ws.file_requests())
    asked_for +=
        r.kind == base::FileDialogKind::Save && r.default_suffix == "sch" && r.confirm_overwrite ? 'S' : 'O';
  EXPECT_EQ(std::tuple(asked_for, ws.messages().size(), ws.dialogs().size(), ws.text(c::title),
                       league().file_state, quit_code),
            std::tuple("OSSSSS", 6u, 0u, "Spring League", league::FileState::UntitledModified, -1));
}

// A league file given to the program opens as File > Open opens it: the same
// league, file name display and messages; a relative name is taken against
// the current folder. A file that cannot be written, read or read back is
// named; the league in the window stays as it was, unsaved, and keeps its file.
TEST_F(FileCommandsTest, TheFileGivenOpensAsFileOpenAndFilesThatFailAreNamed) {
  add_bar("Corner Pocket");
  save_as("league.sch");
  std::ofstream(folder_ / "notes.txt") << "not a league\n";
  const auto opened = [&](bool given, const std::string& path) {
    FakeWindowSystem fake;
    ui::MainWindowLogic window(fake, folder_ / "config" / "qtra_set.dat", [](int) {});
    window.initialise();
    if (given) {
      window.open_given_file(path);
    } else {
      fake.choose_next(path);
      fake.click(cmd::file_open);
    }
    std::string seen = fake.text(c::file_name_label);
    for (const std::string& bar : fake.list_texts(c::bar_list)) seen += " | " + bar;
    for (const MessageRecord& m : fake.messages()) seen += " | " + m.caption + " " + m.text;
    return seen;
  };
  const std::filesystem::path started_in = std::filesystem::current_path();
  std::filesystem::current_path(folder_);
  for (const char* name : {"league.sch", "notes.txt", "gone.sch"})
    EXPECT_EQ(opened(true, name), opened(false, file(name))) << name;
  EXPECT_EQ(opened(true, "league.sch"), file("league.sch") + " | Corner Pocket");
  EXPECT_EQ(opened(true, "gone.sch"), " | Sorry ! Cannot open the file:\n" + file("gone.sch"));
  std::filesystem::current_path(started_in);

  add_bar("Eight Ball");
  // The last name can be created, but the disk fills up while the league is written.
  for (const std::string& bad :
       {file("no such folder/league.sch"), file(std::string(300, 'x') + ".sch"), file("full.sch")}) {
    base::set_write_faults_for_testing(write_faults(0, bad == file("full.sch") ? 10 : -1));
    ws.choose_next(bad);
    ws.click(cmd::file_save_as);
    EXPECT_NE(last_message().find(bad), std::string::npos);  // named, not cut
  }
  EXPECT_FALSE(std::filesystem::exists(folder_ / "full.sch"));  // the empty file of the check is gone
  base::WriteFaults faults;  // another program changes the file between the save and its read-back
  faults.after_commit = [](const std::filesystem::path& f) { std::ofstream(f) << "not a league\n"; };
  base::set_write_faults_for_testing(faults);
  ws.click(cmd::file_save);
  base::set_write_faults_for_testing({});
  EXPECT_EQ(last_message(),
            "The league was saved to " + file("league.sch") + ", but the saved file could not be read back.");
  EXPECT_EQ(std::tuple(league().current_file_path.view(), ws.text(c::file_name_label), league().file_state,
                       ws.list_texts(c::bar_list)),
            std::tuple(file("league.sch"), file("league.sch"), league::FileState::Modified,
                       Strings{"Corner Pocket", "Eight Ball"}));
}

// The league's checks stop the command before anything is asked. The dialog
// opens with two passes of weeks, "Yes", "NotePad", variant 1 and the last
// result file name. "Do it" converts the weeks and takes each choice
// (the variant at its nearest end), or stays open when the result cannot be
// created; a schedule that no program can show is still written.
TEST_F(ScheduleCommandTest, TheDialogOpensWithItsDefaultsAndDoItTakesEachChoice) {
  ws.click(cmd::view_schedule);  // the checks stop it before it asks to save
  EXPECT_EQ(last_message(), "Cannot schedule without teams.");
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
      // The status is ready again after a failure.
      EXPECT_EQ(fake.text(c::status), closed ? ui::status_running : ui::status_ready);
    });
    if (league().file_state != league::FileState::Saved) ws.answer_next(base::Answer::Ok);
    ws.click(c::schedule_button);
    return closed;
  };
  EXPECT_FALSE(run("4", "", c::effort_no, "1"));
  EXPECT_EQ(std::tuple(shown, ws.messages().back().caption, ws.programs_started()),
            std::tuple("2 schedule.txt", "Stop !", 0));  // one team

  // teams, weeks typed, variant typed, choice; then what the dialog showed and the options taken
  using Kind = schedule::ScheduleMethod::Kind;
  const std::tuple<int, const char*, const char*, int, const char*, int, Kind, int> cases[] = {
      {1, "500", "1", c::effort_no, "2 ", 200, Kind::TableOrder, 1},
      {2, "-3", "x", c::effort_harder, "2 out.txt", 0, Kind::SearchHarder, 1},
      {2, "  12abc", "7", c::effort_hardest, "2 out.txt", 12, Kind::SearchHardest, 7},
      {5, "abc", "5000", c::effort_fairest, "10 out.txt", 0, Kind::Fairest, 1000}};
  for (const auto& [teams, weeks, variant, choice, was_shown, season_weeks, kind, taken] : cases) {
    ws.select_row(c::bar_list, 0);  // each save reads the league back, with no bar selected
    for (int t = league().n_team; t < teams; ++t) add_team("Team " + std::to_string(t));
    ASSERT_TRUE(run(weeks, "out.txt", choice, variant)) << weeks;
    const schedule::ScheduleOptions& o = logic->schedule_options();
    EXPECT_EQ(std::tuple(shown, o.season_weeks, o.method, o.viewer, o.comma_delimited),
              std::tuple(was_shown, season_weeks, schedule::ScheduleMethod{kind, taken},
                         schedule::Viewer::WordPad, true));
  }
  EXPECT_EQ(ws.programs_started(), static_cast<int>(std::size(cases)));
  ws.set_start_succeeds(false);
  ASSERT_TRUE(run("4", "late.txt", c::effort_no, "1"));
  EXPECT_EQ(last_message(), "The schedule was saved as " + file("late.txt") +
                                ", but no program could be started to show it.");
  EXPECT_TRUE(std::filesystem::exists(folder_ / "late.txt"));  // beside the league file
}

void put(const std::filesystem::path& file, const char* content) {
  std::filesystem::remove(file);
  if (content != nullptr) std::ofstream(file, std::ios::binary) << content;
}

// The menu writes the display size and tells when it counts (the same size
// again too), or that it cannot; the size is read back as written, and a file
// edited by hand counts only when it holds a size, else the size is small.
// The Season window's size is written only in range (the folder made first)
// and read back only as the program writes it.
TEST_F(SettingsTest, SizesAreWrittenAndReadBackOnlyAsTheProgramWritesThem) {
  const auto file = folder_ / "config" / "qtra_set.dat";
  ws.click(cmd::large_window);
  ws.click(cmd::large_window);
  EXPECT_EQ(
      std::pair(read_file(file, std::ios::in), ui::read_display_size(file)),  // the platform's line ends
      std::pair(std::string("140\n3\n"), ui::DisplaySize::Large));
  ASSERT_EQ(ws.messages().size(), 2u);
  const MessageRecord& told = ws.messages().back();
  EXPECT_EQ(std::tie(told.text, told.caption, told.icon),
            std::tuple("The change will take effect the next time the program is started.", "Information",
                       base::Icon::Information));
  const std::pair<ui::DisplaySize, std::vector<const char*>> cases[] = {
      {ui::DisplaySize::Small, {nullptr, "140\n1\n", "140\nlarge\n", "", "99999999999999999999\n3\n"}},
      {ui::DisplaySize::Medium, {"140\n2\n", "  140  \n  2"}},
      {ui::DisplaySize::Large, {"140\r\n3\r\n", "7\n3\n"}}};
  for (const auto& [size, contents] : cases) {
    for (const char* content : contents) {
      put(file, content);
      EXPECT_EQ(ui::read_display_size(file), size) << (content != nullptr ? content : "no file");
    }
  }
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);  // cannot be written
  ws.click(cmd::medium_window);
  EXPECT_EQ(std::pair(last_message().find("qtra_set.dat") != std::string::npos, ws.messages().back().icon),
            std::pair(true, base::Icon::Error));

  const auto sizes = folder_ / "config" / "season_window.dat";
  ASSERT_TRUE(ui::write_window_size(sizes, {200, 20000}));
  EXPECT_FALSE(ui::write_window_size(sizes, {800, 20001}));
  EXPECT_EQ(ui::read_window_size(sizes), (ui::WindowSize{200, 20000}));
  const std::string long_tail = "800 600" + std::string(100, '\n');
  for (const char* text :
       {"", "800 600 7", "-800 600", "199 600", "99999999999999999999 600", long_tail.c_str()}) {
    put(sizes, text);
    EXPECT_FALSE(ui::read_window_size(sizes).has_value()) << text;
  }
  put(sizes, "  900\t640\r\n");
  EXPECT_EQ(ui::read_window_size(sizes), (ui::WindowSize{900, 640}));
}

}  // namespace
}  // namespace quintora::test
