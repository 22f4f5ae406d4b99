// The editor's divisions, each team's division and each bar's venue
// details, driven as the user drives them.

#include <tuple>

#include "main_window_fixture.h"

namespace quintora::test {
namespace {

using EditorDetailsTest = MainWindowTest;

// A one-division league's team list is as it always was; a second division
// shows each team's, and deleting one moves its teams to the first.
TEST_F(EditorDetailsTest, DivisionsAreListedChosenPerTeamAndShownInTheTeamList) {
  add_bar("Corner Pocket");
  ws.type(c::tables, "2");
  add_team("Sharks");
  EXPECT_EQ(ws.list_texts(c::team_list), (Strings{"Corner Pocket", "Sharks"}));
  EXPECT_EQ(ws.list_texts(c::division_list), (Strings{"Division 1"}));
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
  EXPECT_EQ(league().file_state, league::FileState::UntitledModified);
}

// A value on its way ("19:") waits; leaving the field with it puts the kept
// value back and says why. The fields follow the selected bar, and the
// divisions and the venue details reach the file and come back from it.
TEST_F(EditorDetailsTest, VenueFieldsTakeValidValuesAndAreSavedWithTheDivisions) {
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

}  // namespace
}  // namespace quintora::test
