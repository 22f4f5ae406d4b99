// The league model's operations: fixed room, deletions that keep their
// entries, and lookups that ignore letter case.

#include <gtest/gtest.h>

#include <string>

#include "league/league.h"
#include "league_test_support.h"

namespace quintora::test {
namespace {

TEST(LeagueModel, DeletedBarsKeepTheirEntryUntilASave) {
  League league = make_league({{"A", 1, {}}, {"B", 1, {"b1", "b2", "b3"}}, {"C", 1, {}}});
  delete_bar(league, 1);
  EXPECT_EQ(league.n_bar, 2);
  EXPECT_EQ(league.n_bar_slot, 3);
  EXPECT_EQ(league.n_team, 0);
  EXPECT_EQ(league.n_team_slot, 3);
  for (int t = 0; t < 3; ++t) EXPECT_EQ(league.team.bar_number[static_cast<std::size_t>(t)], deleted_team_bar_number);
  EXPECT_EQ(league.bar.number[1], deleted_bar_number);

  EXPECT_EQ(add_bar(league, "D"), 3);
  EXPECT_EQ(league.bar.number[3], 4);
  EXPECT_EQ(find_bar(league, "b"), no_position);  // a deleted name is free again
  EXPECT_EQ(find_bar(league, "d"), 3);

  // Deleting twice must not count twice.
  delete_bar(league, 1);
  EXPECT_EQ(league.n_bar, 3);
  const int t = add_team(league, "d1", 3);
  delete_team(league, t, 3);
  delete_team(league, t, 3);
  EXPECT_EQ(league.n_team, 0);
  EXPECT_EQ(league.bar.n_team_this_bar[3], 0);
}

TEST(LeagueModel, AdditionsNeverGoBeyondTheRoom) {
  League league;
  for (int i = 0; i < bar_room; ++i) ASSERT_EQ(add_bar(league, "bar " + std::to_string(i)), i);
  EXPECT_EQ(add_bar(league, "one too many"), no_position);
  delete_bar(league, 0);
  EXPECT_EQ(add_bar(league, "still full"), no_position);
  EXPECT_EQ(league.n_bar_slot, bar_room);

  for (int i = 0; i < team_room; ++i) ASSERT_EQ(add_team(league, "team " + std::to_string(i), 1), i);
  EXPECT_EQ(add_team(league, "one too many", 1), no_position);
  EXPECT_EQ(league.n_team, team_room);
  EXPECT_EQ(league.bar.n_team_this_bar[1], team_room);

  League small = make_league({{"A", 1, {}}});
  delete_bar(small, 0);
  EXPECT_EQ(add_team(small, "to a deleted bar", 0), no_position);
  EXPECT_EQ(add_team(small, "to no bar", 5), no_position);
  EXPECT_EQ(add_team(small, "to no bar", -1), no_position);
  EXPECT_EQ(small.n_team_slot, 0);
}

TEST(LeagueModel, PositionsOutsideTheTablesAreIgnored) {
  League league = make_league({{"A", 2, {"a"}}});
  const std::string before = describe(league);
  for (int p : {-1, 1, bar_room, 1000}) {
    delete_bar(league, p);
    rename_bar(league, p, "X");
    set_tables(league, p, 9);
    delete_team(league, p, 0);
    delete_team(league, 0, p);
    rename_team(league, p, "X");
  }
  EXPECT_EQ(describe(league), before);
}

TEST(LeagueModel, FindIgnoresLetterCaseAndDeletedEntries) {
  League league = make_league({{"Café Noir", 1, {"Ελλάς"}}, {"Ace", 1, {"Aces High"}}});
  EXPECT_EQ(find_bar(league, "CAFÉ NOIR"), 0);
  EXPECT_EQ(find_bar(league, "ace"), 1);
  EXPECT_EQ(find_bar(league, "Ac"), no_position);
  EXPECT_EQ(find_team(league, "ΕΛΛΆΣ"), 0);
  EXPECT_EQ(find_team(league, "aces high"), 1);
  EXPECT_EQ(find_team(league, "Café Noir"), no_position);  // bars and teams are separate
  delete_team(league, 1, 1);
  EXPECT_EQ(find_team(league, "Aces High"), no_position);
  EXPECT_EQ(add_team(league, "ACES HIGH", 1), 2);
  EXPECT_EQ(find_team(league, "aces high"), 2);
}

TEST(LeagueModel, ClearEmptiesEverythingButThePath) {
  League league = make_league({{"A", 3, {"a", "b"}}, {"B", 1, {}}});
  league.stored_title.assign("Title");
  league.gap_of_position_night = 4;
  league.current_file_path.assign("/leagues/a.sch");
  league.file_state = FileState::Modified;
  clear_league(league);
  EXPECT_EQ(describe(league), "title= gap=0 bars=0/0 teams=0/0\n");
  EXPECT_TRUE(league.bar.name[0].empty());
  EXPECT_TRUE(league.team.name[1].empty());
  EXPECT_EQ(league.file_state, FileState::Untitled);
  EXPECT_EQ(league.current_file_path.view(), "/leagues/a.sch");
  EXPECT_EQ(add_bar(league, "New"), 0);
}

TEST(FixedText, CutsAtTheRoomWithoutSplittingACharacter) {
  const struct {
    std::string text;
    std::string kept;
  } cases[] = {
      {std::string(59, 'a'), std::string(59, 'a')},
      {std::string(60, 'a'), std::string(59, 'a')},
      {std::string(58, 'a') + "\xC3\xA9", std::string(58, 'a')},           // é would need bytes 59 and 60
      {std::string(57, 'a') + "\xE2\x82\xAC", std::string(57, 'a')},       // € likewise
      {std::string(56, 'a') + "\xE2\x82\xAC", std::string(56, 'a') + "\xE2\x82\xAC"},
      {"", ""},
  };
  for (const auto& k : cases) EXPECT_EQ(Name(k.text).view(), k.kept);
}

}  // namespace
}  // namespace quintora::test
