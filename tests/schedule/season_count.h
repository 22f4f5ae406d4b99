#pragma once
// A season checked against its league by rules of this file's own (who
// meets whom, and when), its breaks, tables and dates counted by the report
// (whose counts the report's tests check by hand and by a brute force): the
// model every schedule test checks the run's promises with.

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "league_builder.h"
#include "report/fairness.h"

namespace quintora::test {

struct Counted {
  std::string fault;     // the first structural promise broken, empty when all hold
  int over = 0;          // bar-weeks over tables
  int dates_missed = 0;  // unavailable dates not kept
  int breaks = 0;
  int breaks_within = 0;  // of them, breaks inside a pass
  int fewest = 0;         // the sum of each division's fewest
  bool fewest_exact = true;
};

inline int division(const league::League& league, int team) { return league::division_of(league, team - 1); }

// Each division's pairs meet once per pass; every team is in every week
// once, an odd division's one team a week Not Playing, once per pass; with
// `balanced`, each team's home and away counts of a pass are at most one
// apart.
inline Counted count(const league::League& league, const season::Season& season, int weeks,
                     bool balanced = true) {
  Counted c;
  const auto fail = [&](const std::string& what, int week) {
    if (c.fault.empty()) c.fault = what + " in week " + std::to_string(week);
  };
  const int n = league.n_team;
  const int divisions = std::max(1, league.division.n_division);
  std::vector<int> size(at(divisions + 1)), per_pass(at(n + 1));
  for (int t = 1; t <= n; ++t) ++size[at(division(league, t))];
  const auto odd = std::count_if(size.begin(), size.end(), [](int s) { return s % 2 == 1; });
  for (int t = 1; t <= n; ++t)
    per_pass[at(t)] = size[at(division(league, t))] + size[at(division(league, t))] % 2 - 1;
  std::map<std::pair<int, int>, int> met;  // pair -> pass it last met in
  std::vector<int> homes(at(n + 1)), games(at(n + 1)), byes(at(n + 1)), side(at(n + 1)), last_pass(at(n + 1));
  if (season.weeks.size() != at(weeks)) c.fault = std::to_string(season.weeks.size()) + " weeks";
  for (const season::Week& week : season.weeks) {
    const int w = week.number - 1;
    for (int t = 1; t <= n; ++t)
      if (w % per_pass[at(t)] == 0) homes[at(t)] = games[at(t)] = byes[at(t)] = 0;
    std::vector<int> seen(at(n + 1));
    for (const auto& [home, away] : week.matches) {
      if (home < 1 || away < 1 || home > n || away > n || home == away ||
          division(league, home) != division(league, away)) {
        fail("a match across divisions or of no team", week.number);
        continue;
      }
      const int pass = w / per_pass[at(home)] + 1;
      ++homes[at(home)];
      if (std::exchange(met[std::minmax(home, away)], pass) == pass)
        fail("a pair twice in a pass", week.number);
      for (const auto& [team, s] : {std::pair{home, 1}, std::pair{away, 2}}) {
        ++seen[at(team)];
        ++games[at(team)];
        c.breaks_within += side[at(team)] == s && last_pass[at(team)] == pass ? 1 : 0;
        side[at(team)] = s;
        last_pass[at(team)] = pass;
      }
    }
    if (std::ssize(week.not_playing) != odd) fail("a wrong Not Playing", week.number);
    for (int bye : week.not_playing) {
      if (bye < 1 || bye > n) continue;
      ++seen[at(bye)];
      if (++byes[at(bye)] > 1) fail("a second Not Playing in one pass", week.number);
    }
    for (int t = 1; t <= n; ++t) {
      if (seen[at(t)] != 1) fail("team " + std::to_string(t) + " not once", week.number);
      if (balanced && w % per_pass[at(t)] == per_pass[at(t)] - 1 &&
          std::abs(2 * homes[at(t)] - games[at(t)]) > 1)
        fail("home games more than one apart", week.number);
    }
  }
  const report::Fairness f = report::assess(season);
  for (const report::BarLine& bar : f.bars) c.over += bar.weeks_over_tables;
  c.dates_missed = static_cast<int>(f.unavailable_missed.size());
  c.breaks = f.total_breaks;
  c.fewest = f.minimum_breaks;
  c.fewest_exact = f.minimum_is_exact;
  return c;
}

}  // namespace quintora::test
