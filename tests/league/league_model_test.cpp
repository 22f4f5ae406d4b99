// The league model: deletions keep their entries until a save, nothing is
// placed or changed outside the tables, New keeps the path.

#include <gtest/gtest.h>

#include "league_test_support.h"

namespace quintora::test {
namespace {

TEST(LeagueModel, DeletionsKeepTheirEntriesAndCountOnce) {
  League league = make_league({{"A", 1, {}}, {"B", 1, {"b1", "b2", "b3"}}, {"C", 1, {}}});
  delete_bar(league, 1);
  delete_bar(league, 1);
  const int d = add_bar(league, "D");
  const int t = add_team(league, "d1", d);
  delete_team(league, t, d);
  delete_team(league, t, d);
  EXPECT_EQ(describe(league),
            "title= gap=0 bars=3/4 teams=0/4\nbar 1 0 1 [A]\nbar -1 3 1 [B]\nbar 3 0 1 [C]\nbar 4 0 1 [D]\n"
            "team -2 [b1]\nteam -2 [b2]\nteam -2 [b3]\nteam -2 [d1]\n");
}

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
  clear_league(league);
  EXPECT_EQ(describe(league), "title= gap=0 bars=0/0 teams=0/0\n");
  EXPECT_TRUE(league.bar.name[0].empty() && league.team.name[1].empty() && league.bar.n_table_this_bar[0] == 0);
  EXPECT_EQ(league.file_state, FileState::Untitled);
  EXPECT_EQ(league.current_file_path.view(), "/leagues/a.sch");
}

}  // namespace
}  // namespace quintora::test
