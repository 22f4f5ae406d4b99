// The league model keeps to its tables. Deletions are tested with the save
// that compacts them (league_file_test.cpp).

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
  const std::string full = describe(league);
  for (int p : {-1, bar_room, 1000}) delete_bar(league, p), rename_bar(league, p, "X"), set_tables(league, p, 9);
  for (int p : {-1, team_room, 1000}) delete_team(league, p, 1), delete_team(league, 1, p), rename_team(league, p, "X");
  EXPECT_EQ(describe(league), full);
}

}  // namespace quintora::test
