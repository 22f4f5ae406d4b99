// The bars-and-teams editor driven as the user drives it: typing, clicking,
// selecting and the Enter key.

#include <functional>

#include "league/editor_display.h"
#include "main_window_fixture.h"

namespace quintora::test {
namespace {

using EditorTest = MainWindowTest;

TEST_F(EditorTest, EnterAddsFromTheNameFieldThatSpokeLast) {
  ws.type(c::bar_name, "Corner Pocket");
  ws.press_enter();
  ASSERT_EQ(league().n_bar, 1);
  EXPECT_EQ(ws.list_texts(c::bar_list), std::vector<std::string>{"Corner Pocket"});

  ws.type(c::team_name, "Sharks");
  ws.press_enter();
  EXPECT_EQ(league().n_team, 2);  // the automatic team and Sharks
  EXPECT_EQ(ws.list_texts(c::team_list), (std::vector<std::string>{"Corner Pocket", "Sharks"}));
  EXPECT_TRUE(ws.messages().empty()) << last_message();
}

TEST_F(EditorTest, EnterRightAfterSelectingABarRunsTeamAddAndRefusesTheEmptyName) {
  add_bar("Corner Pocket");
  add_bar("Eight Ball");
  ws.select_row(c::bar_list, 0);
  // The selection fills the bar name field, then empties the team name
  // field, so the team group speaks last.
  EXPECT_EQ(ws.text(c::bar_name), "Corner Pocket");
  EXPECT_EQ(logic->last_name_field(), ui::NameField::Team);
  ws.clear_messages();
  ws.press_enter();
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_EQ(last_message(), "Not a valid name.");
  EXPECT_EQ(last_caption(), "Sorry !");
  EXPECT_EQ(league().n_team, 2);
}

TEST_F(EditorTest, NewBarBringsItsTeamUnlessTheNameIsTakenOrTheBoxIsOff) {
  add_bar("Corner Pocket");
  EXPECT_EQ(ws.text(c::team_count_label), "1");
  EXPECT_EQ(ws.text(c::total_teams_label), "1");
  EXPECT_EQ(ws.rows(c::team_list).size(), 1u);

  add_team("Eight Ball");
  add_bar("EIGHT BALL");  // a team of that name exists in other letter case
  EXPECT_EQ(league().n_bar, 2);
  EXPECT_EQ(league().n_team, 2);
  EXPECT_EQ(ws.text(c::team_count_label), "0");
  EXPECT_TRUE(ws.messages().empty());

  ws.click(c::auto_add_team);
  EXPECT_FALSE(ws.is_checked(c::auto_add_team));
  add_bar("Rack Room");
  EXPECT_EQ(league().n_team, 2);
}

TEST_F(EditorTest, TablesLimitTheTeamsOfABar) {
  add_bar("Corner Pocket");  // one table, its own team
  add_team("Sharks");
  ASSERT_EQ(league().n_team, 2);
  add_team("Cues");
  EXPECT_EQ(last_message(), "Not enough tables!  Increase number of tables first.");
  EXPECT_EQ(last_caption(), "Stop !");
  EXPECT_EQ(ws.text(c::team_name), "Cues");  // left for another try
  EXPECT_EQ(league().n_team, 2);

  ws.type(c::tables, "2");
  EXPECT_EQ(league().bar.n_table_this_bar[0], 2);
  ws.click(c::team_add);
  EXPECT_EQ(league().n_team, 3);
}

TEST_F(EditorTest, TablesFieldShowsOneForZeroAndStoresNothingWithoutTeams) {
  ws.click(c::auto_add_team);  // bars without teams
  add_bar("Corner Pocket");
  ws.type(c::tables, "4");
  EXPECT_EQ(league().bar.n_table_this_bar[0], 1);  // no team yet: nothing stored
  ws.click(c::auto_add_team);
  add_bar("Eight Ball");
  ws.select_row(c::bar_list, 1);
  ws.type(c::tables, "0");
  EXPECT_EQ(ws.text(c::tables), "1");
  EXPECT_EQ(league().bar.n_table_this_bar[1], 1);
}

TEST_F(EditorTest, DeletingABarTakesItsTeamsAndKeepsTheRoomUntilSaved) {
  add_bar("A");
  ws.type(c::tables, "2");
  add_team("A2");
  add_team("A3");
  add_bar("B");
  add_bar("C");
  ASSERT_EQ(league().n_team, 5);

  ws.select_row(c::bar_list, 0);
  ws.click(c::bar_delete);
  EXPECT_EQ(league().n_team, 2);
  EXPECT_EQ(ws.text(c::total_teams_label), "2");
  EXPECT_TRUE(ws.rows(c::team_list).empty());
  EXPECT_EQ(ws.text(c::tables), "1");  // emptied to 0, shown as 1 at once
  EXPECT_EQ(league().n_bar, 2);
  EXPECT_EQ(league().n_bar_slot, 3);

  add_bar("D");
  EXPECT_EQ(league().bar.number[3], 4);
  save_as("compact.sch");
  ASSERT_EQ(league().file_state, FileState::Saved);
  EXPECT_EQ(league().n_bar_slot, 3);
  EXPECT_EQ(league().bar.name[2].view(), "D");
  EXPECT_EQ(league().bar.number[2], 3);
  EXPECT_EQ(ws.list_selected(c::bar_list), -1);
  ws.type(c::team_name, "Late");
  ws.click(c::team_add);
  EXPECT_EQ(last_message(), "Please select a bar to add team to.");
}

TEST_F(EditorTest, CommandsUseTheRowsEntryNotItsText) {
  ws.click(c::auto_add_team);
  add_bar("Aces High");
  add_bar("Ace");
  EXPECT_EQ(ws.list_selected(c::bar_list), 1);  // the new entry, not the earlier match
  ws.select_row(c::bar_list, 0);
  ws.type(c::bar_name, "Deuces");
  ws.click(c::bar_rename);
  EXPECT_EQ(league().bar.name[0].view(), "Deuces");
  EXPECT_EQ(league().bar.name[1].view(), "Ace");
  EXPECT_EQ(ws.list_texts(c::bar_list), (std::vector<std::string>{"Deuces", "Ace"}));
  EXPECT_EQ(ws.text(c::bar_name_label), "Deuces");

  // A team renamed and deleted by its row.
  ws.select_row(c::bar_list, 1);
  add_team("Aces");
  add_team("Ac");
  ws.select_row(c::team_list, 0);
  EXPECT_EQ(ws.text(c::team_name), "Aces");
  ws.type(c::team_name, "  Kings  ");
  ws.click(c::team_rename);
  EXPECT_EQ(league().team.name[0].view(), "Kings");
  ws.select_row(c::team_list, 1);
  ws.click(c::team_delete);
  EXPECT_EQ(league().n_team, 1);
  EXPECT_TRUE(team_is_live(league(), 0));
  EXPECT_FALSE(team_is_live(league(), 1));
}

// Each refusal shows its message and leaves the league as it was.
struct Refusal {
  const char* name;
  std::function<void(MainWindowTest&)> arrange;  // builds the state
  int command;
  const char* message;
  const char* caption;
};

class EditorRefusalTest : public MainWindowTest, public ::testing::WithParamInterface<Refusal> {};

void bar_with_teams(MainWindowTest& t) {
  t.ws.type(c::bar_name, "Corner Pocket");
  t.ws.click(c::bar_add);
  t.ws.type(c::team_name, "Sharks");
  t.ws.click(c::team_add);
}

void no_bar_selected(MainWindowTest& t) {
  bar_with_teams(t);
  t.ws.type(c::bar_name, "Eight Ball");
  t.ws.click(c::bar_add);
  t.ws.click(c::bar_delete);  // leaves no selection
}

void no_team_selected(MainWindowTest& t) {
  bar_with_teams(t);
  t.ws.click(c::team_delete);  // leaves no team selection, one team left
}

void full_of_bars(MainWindowTest& t) {
  t.ws.click(c::auto_add_team);
  for (int i = 0; i < max_bars; ++i) {
    t.ws.type(c::bar_name, "Bar " + std::to_string(i));
    t.ws.click(c::bar_add);
  }
}

void full_of_teams(MainWindowTest& t) {
  League& l = t.logic->league();
  const int p = quintora::add_bar(l, "Hall");
  set_tables(l, p, 50);
  for (int i = 0; i < max_teams; ++i) quintora::add_team(l, "Team " + std::to_string(i), p);
  show_league(l, t.ws);
  t.ws.select_row(c::bar_list, 0);
}

void bar_room_used_up(MainWindowTest& t) {
  t.ws.click(c::auto_add_team);
  for (int i = 0; i < bar_room; ++i) {
    t.ws.type(c::bar_name, "Bar " + std::to_string(i));
    t.ws.click(c::bar_add);
    if (i % 2 == 0) t.ws.click(c::bar_delete);
  }
}

void nothing(MainWindowTest&) {}

const Refusal refusals[] = {
    {"AddTeamWithoutBar", nothing, c::team_add, "Please add a bar first.", "Stop !"},
    {"DeleteBarWithoutBar", nothing, c::bar_delete, "Please select a bar first.", "Stop !"},
    {"RenameBarWithoutBar", nothing, c::bar_rename, "Please select a bar first.", "Stop !"},
    {"DeleteTeamWithoutBar", nothing, c::team_delete, "Please select a team first.", "Stop !"},
    {"RenameTeamWithoutBar", nothing, c::team_rename, "Please select a team first.", "Stop !"},
    {"DeleteBarUnselected", no_bar_selected, c::bar_delete, "Please select a bar.", "Stop !"},
    {"RenameBarUnselected", no_bar_selected, c::bar_rename, "Please select a bar.", "Stop !"},
    {"AddTeamUnselected", no_bar_selected, c::team_add, "Please select a bar to add team to.", "Stop !"},
    {"DeleteTeamUnselected", no_team_selected, c::team_delete, "Please select a team.", "Stop !"},
    {"RenameTeamUnselected", no_team_selected, c::team_rename, "Please select a team.", "Stop !"},
    {"RenameBarEmpty", bar_with_teams, c::bar_rename, "Not a valid name.", "Sorry !"},
    {"FiftiethBar", full_of_bars, c::bar_add, "Only 49 bars are allowed.", "Stop !"},
    {"HundredthTeam", full_of_teams, c::team_add, "Only 99 teams are allowed.", "Stop !"},
};

INSTANTIATE_TEST_SUITE_P(Messages, EditorRefusalTest, ::testing::ValuesIn(refusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(EditorRefusalTest, ShowsItsMessageAndChangesNothing) {
  const Refusal& r = GetParam();
  r.arrange(*this);
  ws.clear_messages();
  ws.type(c::bar_name, "");
  ws.type(c::team_name, "");
  const League before = league();
  const auto bars = ws.list_texts(c::bar_list);
  const auto teams = ws.list_texts(c::team_list);
  ws.click(r.command);
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_EQ(last_message(), r.message);
  EXPECT_EQ(last_caption(), r.caption);
  EXPECT_EQ(ws.messages().back().icon, ui::Icon::Error);
  EXPECT_EQ(league().n_bar_slot, before.n_bar_slot);
  EXPECT_EQ(league().n_team_slot, before.n_team_slot);
  EXPECT_EQ(league().n_team, before.n_team);
  EXPECT_EQ(league().file_state, before.file_state);
  EXPECT_EQ(ws.list_texts(c::bar_list), bars);
  EXPECT_EQ(ws.list_texts(c::team_list), teams);
}

TEST_F(EditorTest, FullBarTableAsksForASaveInsteadOfWritingPastIt) {
  bar_room_used_up(*this);
  ASSERT_EQ(league().n_bar_slot, bar_room);
  ASSERT_LT(league().n_bar, max_bars);
  ws.clear_messages();
  add_bar("One More");
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_NE(last_message().find("save the league first"), std::string::npos);
  EXPECT_EQ(league().n_bar_slot, bar_room);
  EXPECT_EQ(ws.text(c::bar_name), "One More");
}

}  // namespace
}  // namespace quintora::test
