// The bars-and-teams editor driven as the user drives it: typing, clicking,
// selecting and the Enter key.

#include <tuple>

#include "main_window_fixture.h"
#include "ui/editor_display.h"

namespace quintora::test {
namespace {

using EditorTest = MainWindowTest;

// Selecting a bar fills the bar name field and then empties the team name
// field, so Enter runs the team group's Add, which refuses the empty name.
TEST_F(EditorTest, EnterRunsTheAddOfTheFieldThatChangedLast) {
  ws.type(c::bar_name, "Corner Pocket");
  ws.press_enter();
  add_bar("Eight Ball");
  ws.select_row(c::bar_list, 0);
  ws.press_enter();
  EXPECT_EQ(last_message(), "Not a valid name.");
  EXPECT_EQ(ws.list_texts(c::bar_list), (Strings{"Corner Pocket", "Eight Ball"}));
}

TEST_F(EditorTest, NewBarBringsItsTeamAndOneTableTakesTwoTeams) {
  add_bar("Corner Pocket");  // one table, its own team
  add_team("Sharks");
  add_team("Cues");
  EXPECT_EQ(last_message(), "Not enough tables!  Increase number of tables first.");
  ws.type(c::tables, "2");
  ws.click(c::team_add);
  add_bar("CUES");  // a team of that name exists in other letter case: the bar comes alone
  ws.click(c::auto_add_team);
  add_bar("Rack Room");
  EXPECT_EQ(std::tuple(league().n_bar, league().n_team, ws.text(c::total_teams_label), ws.messages().size()),
            std::tuple(3, 3, "3", 1u));
}

TEST_F(EditorTest, DeletingABarTakesItsTeamsAndASaveCompactsTheLeague) {
  add_bar("A");
  ws.type(c::tables, "2");
  add_team("A2");
  add_team("A3");
  add_bar("B");
  add_bar("C");
  ws.select_row(c::bar_list, 0);
  ws.click(c::bar_delete);
  EXPECT_EQ(std::tuple(ws.text(c::total_teams_label), ws.rows(c::team_list).size(), ws.text(c::tables)),
            std::tuple("2", 0u, "1"));  // the tables emptied to 0 are shown as 1 at once
  add_bar("D");
  save_as("compact.sch");
  EXPECT_EQ(std::tuple(league().n_bar_slot, league().bar.name[2].view(), ws.list_selected(c::bar_list)),
            std::tuple(3, "D", -1));
  EXPECT_EQ(ws.list_texts(c::bar_list), (Strings{"B", "C", "D"}));  // read back
}

TEST_F(EditorTest, CommandsUseTheRowsEntryNotItsText) {
  ws.click(c::auto_add_team);
  add_bar("Aces High");
  add_bar("Ace");
  EXPECT_EQ(ws.list_selected(c::bar_list), 1);  // the new entry, not the earlier match
  add_team("Aces");
  add_team("Ac");
  ws.select_row(c::team_list, 0);
  enter(c::team_name, "  Kings  ", c::team_rename);
  EXPECT_EQ(std::tuple(league().team.name[0].view(), ws.list_selected(c::team_list)), std::tuple("Kings", 0));
  ws.select_row(c::bar_list, 0);
  enter(c::bar_name, "Deuces", c::bar_rename);
  EXPECT_EQ(ws.list_texts(c::bar_list), (Strings{"Deuces", "Ace"}));
  EXPECT_EQ(league().bar.name[1].view(), "Ace");
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
  while (league().n_bar_slot < bar_room) {
    add_bar("Bar " + std::to_string(league().n_bar_slot));
    ws.click(c::bar_delete);
  }
  ws.type(c::bar_name, "One More");
  refused(c::bar_add,
          "There is no room for another bar until the league is saved (deleted bars keep their room until "
          "then). Please save the league first.");

  ws.answer_next(base::Answer::No);
  ws.click(cmd::file_new);
  set_tables(league(), quintora::add_bar(league(), "Hall"), 50);
  for (int t = 0; t < max_teams; ++t) quintora::add_team(league(), "Team " + std::to_string(t), 0);
  ui::show_league(league(), ws);
  ws.select_row(c::bar_list, 0);
  refused(c::team_add, "Only 99 teams are allowed.");
  ws.click(c::auto_add_team);
  for (int b = 1; b < max_bars; ++b) add_bar("Bar " + std::to_string(b));
  refused(c::bar_add, "Only 49 bars are allowed.");
}

}  // namespace
}  // namespace quintora::test
