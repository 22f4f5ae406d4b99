#pragma once
// Compact leagues for the schedule tests, filled in directly so the tests
// depend on nothing but the league's fields.

#include <cstddef>
#include <string>
#include <vector>

#include "league/league.h"

namespace quintora::test {

struct BarSpec {
  std::string name;
  int tables = 1;
  std::vector<std::string> teams;
};

inline League make_league(const std::string& title, const std::vector<BarSpec>& bars) {
  League league;
  league.stored_title.assign(title);
  for (const auto& spec : bars) {
    const auto b = static_cast<std::size_t>(league.n_bar);
    league.bar.number[b] = league.n_bar + 1;
    league.bar.name[b].assign(spec.name);
    league.bar.n_table_this_bar[b] = spec.tables;
    league.bar.n_team_this_bar[b] = static_cast<int>(spec.teams.size());
    for (const auto& team : spec.teams) {
      const auto t = static_cast<std::size_t>(league.n_team);
      league.team.bar_number[t] = league.n_bar + 1;
      league.team.name[t].assign(team);
      ++league.n_team;
    }
    ++league.n_bar;
  }
  league.n_bar_slot = league.n_bar;
  league.n_team_slot = league.n_team;
  return league;
}

// n teams (at most 49), each in a bar of its own.
inline League league_of_single_bars(int n, const std::string& title = "Test League") {
  if (n > max_bars) n = max_bars;
  std::vector<BarSpec> bars;
  for (int i = 1; i <= n; ++i) bars.push_back({"Bar " + std::to_string(i), 1, {"Team " + std::to_string(i)}});
  return make_league(title, bars);
}

// n teams in bars of three with two tables each (the last bar may hold fewer).
inline League grouped_league(int n_team) {
  std::vector<BarSpec> bars;
  for (int t = 1; t <= n_team; ++t) {
    if ((t - 1) % 3 == 0) bars.push_back({"Bar " + std::to_string(t), 2, {}});
    bars.back().teams.push_back("Team " + std::to_string(t));
  }
  return make_league("Grouped", bars);
}

}  // namespace quintora::test
