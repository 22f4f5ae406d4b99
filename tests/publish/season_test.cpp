// The season model's own checks: team lookup and consistency.

#include "season/season.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "season_builder.h"

namespace quintora::season {
namespace {

TEST(Season, FindTeamExactFirstThenIgnoringCase) {
  const Season s =
      test::make_season({"Aces", "ACES II", "aces ii", "Caf\u00e9"}, {"Bar"}, "T", std::nullopt, 0);
  // clang-format off
  const std::vector<std::pair<std::string, int>> cases = {
      {"Aces", 1}, {"aCeS", 1}, {"aces ii", 3}, {"Aces II", 2}, {"Caf\u00e9", 4}, {"CAF\u00c9", 0}, {"Ace", 0},
      {"", 0}, {"Aces ", 0}};
  // clang-format on
  for (const auto& [name, team] : cases) EXPECT_EQ(find_team(s, name), team) << name;
}

TEST(Season, InconsistentSeasonsAreRecognised) {
  EXPECT_TRUE(is_consistent(test::hostile()));
  EXPECT_TRUE(is_consistent(test::hostile(false)));
  // clang-format off
  const std::vector<std::function<void(Season&)>> breaks = {
      [](Season& s) { s.teams[0].bar = 0; }, [](Season& s) { s.teams[0].bar = 4; },
      [](Season& s) { s.weeks[2].matches[0].home = 6; }, [](Season& s) { s.weeks[2].matches[0].away = -1; },
      [](Season& s) { s.weeks[2].matches[0].away = s.weeks[2].matches[0].home; },
      [](Season& s) { s.weeks[2].not_playing = 6; }, [](Season& s) { s.weeks[2].date.reset(); },
      [](Season& s) { s.weeks[2].date = base::Date{2025, 2, 29}; },
      [](Season& s) { s.calendar->start.minute = 60; }};
  // clang-format on
  for (std::size_t i = 0; i < breaks.size(); ++i) {
    Season s = test::hostile();
    breaks[i](s);
    EXPECT_FALSE(is_consistent(s)) << "change " << i;
  }
}

}  // namespace
}  // namespace quintora::season
