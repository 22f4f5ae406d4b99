// The league model: nothing is placed or changed outside the tables, and
// New keeps the path. Deletions are tested with the save that compacts them.

#include <gtest/gtest.h>

#include "league_test_support.h"

namespace quintora::test {

TEST(LeagueModel, NothingIsPlacedOrChangedOutsideTheTables) {
  League league;
  for (int i = 0; i < bar_room; ++i) ASSERT_EQ(add_bar(league, "bar"), i);
  delete_bar(league, 0);
  EXPECT_EQ(add_bar(league, "deleted entries keep their room"), no_position);
  for (int i = 0; i < team_room; ++i) ASSERT_EQ(add_team(league, "team", 1), i);
  EXPECT_EQ(add_team(league, "one too many", 1), no_position);
  League small = make_league({{"A", 2, {"a"}}});
  const std::string before = describe(small);
  for (int p : {-1, 1, bar_room, 1000}) {
    EXPECT_EQ(add_team(small, "x", p), no_position);
    delete_bar(small, p), rename_bar(small, p, "X"), set_tables(small, p, 9), rename_team(small, p, "X");
    delete_team(small, p, 0), delete_team(small, 0, p);
  }
  EXPECT_EQ(describe(small), before);
}

TEST(LeagueModel, ClearEmptiesEverythingButThePath) {
  League league = make_league({{"A", 3, {"a", "b"}}});
  league.stored_title.assign("Title");
  league.gap_of_position_night = 4;
  league.current_file_path.assign("/leagues/a.sch");
  league.file_state = FileState::Modified;
  clear_league(league);
  EXPECT_EQ(describe(league) + league.current_file_path.c_str(), "title= gap=0 bars=0/0 teams=0/0\n/leagues/a.sch");
  EXPECT_TRUE(league.bar.name[0].empty() && league.team.name[1].empty() && league.bar.n_table_this_bar[0] == 0);
  EXPECT_EQ(league.file_state, FileState::Untitled);
}

}  // namespace quintora::test
