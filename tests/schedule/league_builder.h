#pragma once
// Compact leagues and table views for the schedule tests.

#include <cstddef>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "schedule/balancing.h"
#include "schedule/fairest.h"
#include "schedule/schedule_writer.h"
#include "schedule/season_builder.h"
#include "support/read_file.h"

namespace quintora::test {

constexpr std::size_t at(int i) { return static_cast<std::size_t>(i); }

// Bars "Hall 1", "Hall 2" ... of the given team and table counts, and their
// teams grouped by bar, named from `names` or else "Team 1", "Team 2" ...
inline league::League make_league(const std::vector<std::pair<int, int>>& bars,
                                  const std::string& title = "Test League",
                                  const std::vector<std::string>& names = {}) {
  league::League league;
  league.stored_title.assign(title);
  for (const auto& [teams, tables] : bars) {
    const int b = add_bar(league, "Hall " + std::to_string(league.n_bar + 1));
    league.bar.n_table_this_bar[at(b)] = tables;
    for (int t = 0; t < teams; ++t)
      add_team(league,
               at(league.n_team) < names.size() ? names[at(league.n_team)]
                                                : "Team " + std::to_string(league.n_team + 1),
               b);
  }
  return league;
}

// n teams in bars of three teams with two tables each (the last bar may
// hold fewer).
inline league::League grouped_league(int n_team) {
  std::vector<std::pair<int, int>> bars(at((n_team + 2) / 3), {3, 2});
  bars.back().first -= static_cast<int>(bars.size()) * 3 - n_team;
  return make_league(bars);
}

// The rounds as "A-B" cells, slots left to right, rounds apart by " | ".
inline std::string cells(const schedule::RoundTable& t) {
  std::string text;
  for (int r = 1; r <= t.nweek; ++r) {
    for (int s = 1; s <= t.nmatch; ++s) {
      text += s > 1 ? " " : r > 1 ? " | " : "";
      text += std::to_string(t.A[at(s)][at(r)]) + "-" + std::to_string(t.B[at(s)][at(r)]);
    }
  }
  return text;
}

inline schedule::RoundTable balanced_table(const league::League& league,
                                           schedule::BalanceState* state = nullptr) {
  schedule::RoundTable table;
  schedule::BarLimits limits;
  schedule::BalanceState own;
  schedule::build_round_table(table, league.n_team);
  schedule::compute_bar_limits(league, limits);
  schedule::balance(table, league, limits, state ? *state : own);
  return table;
}

// Fairest's season of `league`, `weeks` long, from the given variant of its table.
inline season::Season fairest_season(const league::League& league, int weeks, int variant = 1) {
  schedule::RoundTable table;
  schedule::build_fairest_table(table, league, variant);
  return schedule::build_season(league, table, schedule::table_order(table.nweek), weeks, {});
}

inline int pick(std::mt19937& rng, int bound) {
  return static_cast<int>(rng() % static_cast<unsigned>(bound));
}

// The whole schedule file of `league` in table order or in `order`.
inline std::string schedule_text(const league::League& league, int weeks, bool comma = false,
                                 const schedule::RoundOrder* order = nullptr) {
  const schedule::RoundTable table = balanced_table(league);
  return schedule::schedule_text(
      schedule::build_season(league, table, order ? *order : schedule::table_order(table.nweek), weeks, {}),
      comma);
}

}  // namespace quintora::test
