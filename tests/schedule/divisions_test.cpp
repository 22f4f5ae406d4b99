// Leagues of several divisions and with unavailable dates: every promise of
// the run counted on the season it builds, by counts of this file's own.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "league/league_file.h"
#include "schedule/schedule_run.h"
#include "season_count.h"
#include "support/calendar_builder.h"

namespace quintora::schedule {
namespace {

using test::at;
using test::pick;

struct Layout {
  int divisions = 1;
  int teams = 2;
  bool split = false;  // bar-mates in different divisions
  int dates = 0;
};

// Random bars of one to four teams with the fewest tables the check allows
// (or one more); the divisions dealt by bar or by team; a weekly calendar and
// `dates` random bar or team dates on its match dates.
league::League generated(const Layout& layout, int weeks, std::mt19937& rng) {
  std::vector<std::pair<int, int>> bars;
  for (int left = layout.teams; left > 0;) {
    const int teams = bars.size() + 1 == league::max_bars ? left : std::min(left, 1 + pick(rng, 4));
    bars.push_back({teams, (teams + 1) / 2 + (pick(rng, 4) == 0 ? 1 : 0)});
    left -= teams;
  }
  league::League league = test::make_league(bars);
  league.division.n_division = layout.divisions;  // named "Division 1", "Division 2" ...
  std::vector<int> bar_division(at(league.n_bar + 1));
  for (int& d : bar_division) d = 1 + pick(rng, layout.divisions);
  for (int t = 0; t < league.n_team; ++t) {
    league.team.division[at(t)] =
        layout.split ? 1 + pick(rng, layout.divisions) : bar_division[at(league.team.bar_number[at(t)])];
  }
  league.calendar = test::calendar({2027, 1, 5});
  for (int e = 0; e < layout.dates && weeks > 0; ++e) {
    const bool bar = pick(rng, 2) == 0;
    league.unavailable.entry[at(e)] = {
        bar ? league::UnavailableKind::Bar : league::UnavailableKind::Team,
        pick(rng, bar ? league.n_bar : league.n_team),
        base::civil_from_days(base::days_from_civil({2027, 1, 5}) + 7 * pick(rng, weeks))};
    ++league.unavailable.n_entry;
  }
  return league;
}

using test::count;
using test::Counted;

season::Season run(const league::League& league, ScheduleMethod method, int weeks,
                   base::Notices* notices = nullptr, SearchControl control = {}) {
  auto run = std::make_unique<ScheduleRun>();
  run->settings().control = std::move(control);
  const RunResult result = run->build_season(league, options_for(method, weeks));
  EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.failure->text);
  if (notices) *notices = run->notices();
  return run->take_season();
}

bool names_a_miss(const base::Notices& notices) {
  return std::any_of(notices.begin(), notices.end(), [](const base::Notice& n) {
    return n.text.find("tables") != std::string::npos || n.text.find(", a date it") != std::string::npos;
  });
}

constexpr ScheduleMethod fairest{ScheduleMethod::Kind::Fairest, 1};

TEST(Divisions, FairestKeepsEveryPromiseOrNamesWhatItMisses) {
  std::mt19937 rng(18);
  // The largest leagues are the benchmark's (bench/divisions_bench.cpp).
  const Layout layouts[] = {{2, 10, false, 0}, {2, 9, true, 0},    {3, 30, true, 5},  {4, 40, false, 12},
                            {8, 60, true, 30}, {1, 25, false, 8},  {6, 33, false, 0}, {2, 2, true, 3},
                            {7, 16, true, 2},  {3, 51, false, 20}, {4, 24, true, 0}};
  for (const Layout& layout : layouts) {
    const int biggest = (layout.teams + 1) / 2 * 2;
    const int weeks = std::min(200, pick(rng, 3) == 0 ? pick(rng, 201) : 2 * (biggest - 1));
    const league::League league = generated(layout, weeks, rng);
    base::Notices notices;
    const Counted c = count(league, run(league, fairest, weeks, &notices), weeks);
    const std::string what = std::to_string(layout.teams) + " teams in " + std::to_string(layout.divisions) +
                             " divisions, " + std::to_string(weeks) + " weeks";
    EXPECT_EQ(c.fault, "") << what;
    // Without a search the divisions keep the circle's fewest breaks.
    if (!layout.split && layout.dates == 0) {
      EXPECT_TRUE(c.fewest_exact ? c.breaks == c.fewest : c.breaks >= c.fewest) << what << ": " << c.breaks;
    }
    EXPECT_EQ(c.over + c.dates_missed > 0, names_a_miss(notices)) << what;
    // Every league here passes the tables check: the dates give way first.
    EXPECT_EQ(c.over, 0) << what;
  }
}

// The county example in four divisions: each bar's teams in different
// divisions of 23, 24 and 25 teams, whose passes cannot mirror and keep the
// tables; Fairest keeps every table, at its default length and in a long
// season, with fewer breaks than mirrored passes would have.
TEST(Divisions, CountyInFourDivisionsKeepsEveryTable) {
  league::League league;
  base::Notices notices;
  ASSERT_EQ(league::read_league_file(league, QUINTORA_SOURCE_DIR "/examples/county-divisions.sch",
                                     league::ReadMode::Open, notices),
            league::ReadResult::Success);
  EXPECT_EQ(default_season_weeks(league), 50);
  for (const int weeks : {50, 100}) {
    const Counted c = count(league, run(league, fairest, weeks, &notices), weeks);
    EXPECT_EQ(c.fault, "") << weeks;
    EXPECT_EQ(c.over, 0) << weeks;
    EXPECT_LE(c.breaks, c.fewest) << weeks;
    EXPECT_TRUE(notices.empty()) << weeks;
  }
}

// Where every bar's teams are in one division and no date is asked for, each
// division's season is Fairest's of that division alone.
TEST(Divisions, UnsplitBarsGiveEachDivisionItsOwnFairest) {
  std::mt19937 rng(7);
  const league::League league = generated({3, 30, false, 0}, 40, rng);
  const season::Season season = run(league, {ScheduleMethod::Kind::Fairest, 5}, 40);
  for (int d = 1; d <= 3; ++d) {
    std::vector<std::pair<int, int>> bars;  // the division's teams at each bar, and its tables
    for (int p = 0; p < league.n_bar; ++p) bars.emplace_back(0, league.bar.n_table_this_bar[at(p)]);
    std::vector<int> number;  // in the league, of the division's teams in order
    for (int t = 1; t <= league.n_team; ++t) {
      if (test::division(league, t) != d) continue;
      ++bars[at(league.team.bar_number[at(t - 1)] - 1)].first;
      number.push_back(t);
    }
    if (number.empty()) continue;
    const season::Season alone = test::fairest_season(test::make_league(bars), 40, 5);
    const season::Season mine = season::only_division(season, d);
    for (std::size_t w = 0; w < alone.weeks.size(); ++w) {
      ASSERT_EQ(alone.weeks[w].matches.size(), mine.weeks[w].matches.size());
      for (std::size_t m = 0; m < alone.weeks[w].matches.size(); ++m) {
        EXPECT_EQ(number[at(alone.weeks[w].matches[m].home - 1)], mine.weeks[w].matches[m].home);
        EXPECT_EQ(number[at(alone.weeks[w].matches[m].away - 1)], mine.weeks[w].matches[m].away);
      }
    }
  }
}

// Efforts 1 to 4 schedule each division as a league of its own: the
// structure holds. A league of one division writes today's file at every
// effort, whatever its teams' division fields say to the efforts.
TEST(Divisions, EffortsScheduleEachDivisionAsItsOwnLeagueAndOneDivisionAsBefore) {
  std::mt19937 rng(4);
  const league::League league = generated({3, 13, true, 4}, 12, rng);
  const league::League plain = test::grouped_league(11);
  league::League marked = plain;
  for (int t = 0; t < marked.n_team; ++t) marked.team.division[at(t)] = t % 2;  // 0 reads as 1
  for (const auto kind : method_kinds) {
    if (kind == ScheduleMethod::Kind::SearchHardest) continue;  // as Search, only longer
    EXPECT_EQ(schedule_text(run(plain, {kind, 3}, 30), false),
              schedule_text(run(marked, {kind, 3}, 30), false));
    if (kind != ScheduleMethod::Kind::TableOrder && kind != ScheduleMethod::Kind::Search) continue;
    const season::Season season = run(league, {kind, 1}, 12);
    EXPECT_EQ(count(league, season, 12, false).fault, "");
  }
}

TEST(Divisions, TextHasASectionPerDivision) {
  league::League league = test::make_league({{2, 1}, {1, 1}}, "Cup", {"A", "B", "C"});
  league.division.n_division = 2;
  league.division.name[0].assign("Premier");
  league.division.name[1].assign("=First");
  league.team.division[2] = 2;
  const season::Season season = run(league, {ScheduleMethod::Kind::TableOrder, 1}, 2);
  EXPECT_EQ(schedule_text(season, false),
            "\n\n     Cup\n\n     Premier\n\n   Week  1:    2 at  1    \n   Week  2:    1 at  2    \n"
            "\n     =First\n\n   Week  1:    Not Playing:  3\n   Week  2:    Not Playing:  3\n"
            "\n        1: A\n        2: B\n        3: C\n");
  EXPECT_NE(schedule_text(season, true).find("     '=First\n"), std::string::npos);
}

// A season's default length is two round-robins of the largest division, not
// of the whole league nor of the first division (the county example's
// largest is odd).
TEST(Divisions, DefaultWeeksFollowTheLargestDivision) {
  league::League league = test::make_league({{4, 2}, {3, 2}});
  league.division.n_division = 2;
  for (int t = 1; t <= 6; ++t) league.team.division[at(t)] = 2;
  EXPECT_EQ(default_season_weeks(league), 10);  // 1 and 6 teams: the second is the larger, and even
}

// Dates that are no match dates are reported and ignored; a date nobody can
// keep (in the second pass, after one the search keeps) is named; the dates
// of a bar the league no longer has go with it; a division
// of one team never plays; the search reports progress and stops when
// cancelled.
TEST(Divisions, DatesProgressAndCancel) {
  league::League league = test::make_league({{2, 1}, {3, 2}});
  league.division.n_division = 2;
  league.team.division[4] = 2;
  league.calendar = test::calendar({2027, 1, 5});
  league.unavailable.entry[0] = {league::UnavailableKind::Team, 0, {2027, 1, 6}};
  league.unavailable.entry[1] = {league::UnavailableKind::Bar, 0, {2027, 2, 2}};
  league.unavailable.entry[2] = {league::UnavailableKind::Bar, 1, {2027, 2, 2}};
  league.unavailable.entry[3] = {league::UnavailableKind::Bar, 2, {2027, 1, 12}};  // a bar past the last
  league.unavailable.n_entry = 4;
  base::Notices notices;
  std::vector<double> progress;
  const season::Season season =
      run(league, fairest, 6, &notices, {[&](double f) { progress.push_back(f); }, nullptr});
  ASSERT_GE(notices.size(), 2u);
  EXPECT_EQ(
      notices[0].text,
      "The unavailable date 2027-01-06 of team Team 1 is not a match date of the season; it is ignored.");
  EXPECT_TRUE(names_a_miss(notices)) << "week 5 needs a host at one of the two bars";
  const Counted c = count(league, season, 6);
  EXPECT_EQ(c.fault, "");
  EXPECT_EQ(c.dates_missed, 1) << "both bars closed in week 5: one hosts, the other's date is kept";
  ASSERT_FALSE(progress.empty());
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_EQ(progress.back(), 1.0);

  std::atomic<bool> cancel{true};
  ScheduleRun cancelled;
  cancelled.settings().control.cancel = &cancel;
  const RunResult result = cancelled.build_season(league, options_for(fairest, 6));
  EXPECT_EQ(result.ok() ? "" : result.failure->text, "The schedule was cancelled.");
}

// What a season misses is named in the user's words: a bar over its tables
// (one match too many is enough), a bar hosting on a date it is closed, a
// team at home on a date it must play away; a date of no match and a team
// away on its date are no miss.
TEST(Divisions, WhatASeasonMissesIsNamed) {
  season::Season s;
  s.teams = {{"Ace", 1, 1}, {"Bee", 1, 1}, {"Cue", 2, 1}, {"Dee", 2, 1}};
  s.bars = {{"Crown", 1, {}, {}, {}}, {"Anchor", 2, {}, {}, {}}};
  s.rounds_per_pass = 3;
  s.weeks = {{1, base::Date{2027, 1, 5}, {{1, 3}, {4, 2}}, {}},
             {2, base::Date{2027, 1, 12}, {{1, 2}, {3, 4}}, {}}};
  s.unavailable = {{false, 3, {2027, 1, 5}}, {true, 1, {2027, 1, 19}}};
  EXPECT_TRUE(season_misses(s).empty());
  s.weeks[1].matches = {{1, 3}, {2, 4}};  // both at the Crown, which has one table
  s.unavailable.push_back({true, 2, {2027, 1, 5}});
  s.unavailable.push_back({false, 1, {2027, 1, 12}});
  std::vector<std::string> texts;
  for (const base::Notice& miss : season_misses(s)) texts.push_back(miss.text);
  EXPECT_EQ(texts,
            (std::vector<std::string>{"Bar Crown hosts more matches than it has tables in week 2.",
                                      "Bar Anchor hosts a match on 2027-01-05, a date it cannot host.",
                                      "Team Ace plays at home on 2027-01-12, a date it must play away."}));
}

}  // namespace
}  // namespace quintora::schedule
