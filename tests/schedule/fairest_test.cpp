// Fairest: every promise checked by counting on the season the writers print
// (whose text is checked byte for byte with the writer), for generated
// leagues of every size.

#include "schedule/fairest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "season_count.h"

namespace quintora::schedule {
namespace {

using test::at;
using test::fairest_season;
using test::pick;

std::string fairest_text(const league::League& league, int season_weeks, int variant) {
  return schedule_text(fairest_season(league, season_weeks, variant), false);
}

// Every promise of a Fairest season, counted on the season every writer
// reads: the structure, every table kept, no break within a pass of an odd
// league, and the fewest breaks where proven for whole passes with every
// variant; a cut pass of an even league meets it with the circle's own
// order, and a variant that plays the rounds backwards has its breaks a
// round earlier. Returns the first promise broken, empty when all hold.
std::string count_season(const league::League& league, const season::Season& season, int season_weeks,
                         bool canonical) {
  const test::Counted c = test::count(league, season, season_weeks);
  std::string fault = c.fault;
  if (c.over != 0) fault += " / a bar over its tables";
  const int n = league.n_team, per_pass = n + n % 2 - 1;
  if (n % 2 == 1 && c.breaks_within != 0) fault += " / a break within a pass";
  const bool reached = c.fewest_exact && (canonical || n % 2 == 1 || season_weeks % per_pass == 0);
  if (reached ? c.breaks != c.fewest : c.breaks < c.fewest)
    fault += " / " + std::to_string(c.breaks) + " breaks";
  return fault;
}

std::string describe(const std::vector<std::pair<int, int>>& bars) {
  std::string text = "bars (teams/tables):";
  for (const auto& [teams, tables] : bars)
    text.append(" ").append(std::to_string(teams)).append("/").append(std::to_string(tables));
  return text;
}

// Bars of random sizes, sometimes empty, skewed so that a few bars are big;
// tables between the least the check allows and two more, or the least.
std::vector<std::pair<int, int>> random_bars(int n_team, std::mt19937& rng, bool tight) {
  const int n_bar = 1 + pick(rng, std::min(league::max_bars, n_team + 1));
  std::vector<std::pair<int, int>> bars(at(n_bar));
  for (int t = 0; t < n_team; ++t) ++bars[at(pick(rng, 1 + pick(rng, n_bar)))].first;
  for (auto& [teams, tables] : bars) tables = std::max(1, (teams + 1) / 2 + (tight ? 0 : pick(rng, 3)));
  return bars;
}

// One bar holding every team or, up to the bar limit, every team alone; each
// with the fewest tables the check allows.
std::vector<std::pair<int, int>> fixed_layout(int n_team, bool alone) {
  if (alone && n_team <= league::max_bars) return std::vector<std::pair<int, int>>(at(n_team), {1, 1});
  return {{n_team, (n_team + 1) / 2}};
}

TEST(Fairest, EveryPromiseHoldsForEveryTeamCountAndBarLayout) {
  std::mt19937 rng(20260611);  // the engine's raw output is the same everywhere
  int leagues = 0;
  int faults = 0;
  for (int n = 1; n <= max_team_even && faults < 5; ++n) {
    const int per_pass = n + n % 2 - 1;
    // Two passes (the default) most often, and every other length kind;
    // the canonical draw and others.
    const int lengths[] = {2 * per_pass,     per_pass, per_pass / 2 + 1, 2 * per_pass, 1, 3 * per_pass,
                           2 * per_pass + 1, 0,        2 * per_pass - 1, 200};
    // Random bars, tight ones for half the counts (of either parity), and a
    // fixed layout in turn.
    const std::vector<std::pair<int, int>> layouts[] = {random_bars(n, rng, n / 2 % 2 == 1),
                                                        fixed_layout(n, (n + n / 2) % 2 == 1)};
    for (const auto& bars : layouts) {
      const league::League league = test::make_league(bars);
      const int weeks = std::min(200, lengths[at(leagues) % std::size(lengths)]);
      const int variant = leagues % 2 == 0 ? 1 : 2 + leagues * 37 % (max_variant - 1);
      ++leagues;
      const std::string fault =
          count_season(league, fairest_season(league, weeks, variant), weeks, variant == 1);
      if (!fault.empty() && ++faults <= 5)
        ADD_FAILURE() << n << " teams, " << describe(bars) << ", " << weeks << " weeks, variant " << variant
                      << ": " << fault;
    }
  }
}

TEST(Fairest, SameLeagueSameFileEveryVariantAnotherAndNoTableOutOfRange) {
  std::mt19937 rng(11);
  for (const int n : {4, 7, 12, 51, 100}) {
    const league::League league = test::make_league(random_bars(n, rng, false));
    const int weeks = 2 * (n + n % 2 - 1);
    // Small leagues have few schedules of this quality; larger ones plenty.
    std::set<std::string> seen;
    for (int variant = 1; variant <= (n < 12 ? 2 : 12); ++variant)
      EXPECT_TRUE(seen.insert(fairest_text(league, weeks, variant)).second)
          << n << " teams, variant " << variant;
    EXPECT_EQ(fairest_text(league, weeks, 0), fairest_text(league, weeks, 1)) << "below the range: the first";
    EXPECT_EQ(fairest_text(league, weeks, 5000), fairest_text(league, weeks, max_variant)) << "above";
  }
  // A table that held a larger league first comes out as a fresh one: fixed
  // draws, so these hold with every compiler and standard library.
  RoundTable table;
  build_fairest_table(table, test::make_league(std::vector<std::pair<int, int>>(49, {2, 1})), 3);
  const league::League six = test::make_league({{3, 2}, {2, 1}, {1, 1}});
  build_fairest_table(table, six, 1);
  EXPECT_EQ(test::cells(table), "1-2 4-6 3-5 | 2-4 5-1 6-3 | 5-2 3-4 1-6 | 2-3 6-5 4-1 | 6-2 1-3 5-4");
  build_fairest_table(table, six, 2);
  EXPECT_EQ(test::cells(table), "5-3 1-4 6-2 | 3-4 5-6 2-1 | 6-3 4-2 1-5 | 3-2 6-1 5-4 | 1-3 2-5 4-6");
  // More teams than the tables hold: no table, nothing read or written.
  league::League too_many = test::make_league({{100, 50}});
  too_many.n_team = 101;
  build_fairest_table(table, too_many, 1);
  EXPECT_EQ(table.nweek, 0);
}

}  // namespace
}  // namespace quintora::schedule
