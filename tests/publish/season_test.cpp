// The season model's own checks: team lookup and consistency.

#include "season/season.h"

#include <gtest/gtest.h>

#include "season_builder.h"

namespace quintora::season {
namespace {

TEST(Season, FindTeamExactFirstThenIgnoringCase) {
  Season s = test::make_season({"Aces", "ACES II", "aces ii", "Caf\u00e9"}, {"Bar"}, "T", std::nullopt, 0);
  EXPECT_EQ(find_team(s, "Aces"), 1);
  EXPECT_EQ(find_team(s, "aCeS"), 1);
  EXPECT_EQ(find_team(s, "aces ii"), 3);  // the exact spelling wins over an earlier case match
  EXPECT_EQ(find_team(s, "Aces II"), 2);
  EXPECT_EQ(find_team(s, "Caf\u00e9"), 4);
  EXPECT_EQ(find_team(s, "Ace"), 0);
  EXPECT_EQ(find_team(s, ""), 0);
  EXPECT_EQ(find_team(s, "Aces "), 0);
}

TEST(Season, InconsistentSeasonsAreRecognised) {
  const Season good = test::five_hostile();
  EXPECT_TRUE(is_consistent(good));
  EXPECT_TRUE(is_consistent(test::four_teams(false)));
  const auto broken = [&](auto change) {
    Season s = good;
    change(s);
    return !is_consistent(s);
  };
  EXPECT_TRUE(broken([](Season& s) { s.teams[0].bar = 0; }));
  EXPECT_TRUE(broken([](Season& s) { s.teams[0].bar = 5; }));
  EXPECT_TRUE(broken([](Season& s) { s.weeks[2].matches[0].home = 6; }));
  EXPECT_TRUE(broken([](Season& s) { s.weeks[2].matches[0].away = -1; }));
  EXPECT_TRUE(broken([](Season& s) { s.weeks[2].matches[0].away = s.weeks[2].matches[0].home; }));
  EXPECT_TRUE(broken([](Season& s) { s.weeks[2].not_playing = 6; }));
  EXPECT_TRUE(broken([](Season& s) { s.weeks[2].date.reset(); }));
  EXPECT_TRUE(broken([](Season& s) { s.weeks[2].date = base::Date{2025, 2, 29}; }));
  EXPECT_TRUE(broken([](Season& s) { s.calendar->start.minute = 60; }));
}

}  // namespace
}  // namespace quintora::season
