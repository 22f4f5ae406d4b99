#pragma once
// Compact leagues and table views for the schedule tests, filled in directly
// so the tests depend on nothing but the league's fields.

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "schedule/balancing.h"

namespace quintora::test {

constexpr std::size_t at(int i) { return static_cast<std::size_t>(i); }

struct BarSpec {
  std::string name;
  int tables = 1;
  std::vector<std::string> teams;
};

inline League make_league(const std::string& title, const std::vector<BarSpec>& bars) {
  League league;
  league.stored_title.assign(title);
  for (const auto& spec : bars) {
    const auto b = at(league.n_bar++);
    league.bar.number[b] = league.n_bar;
    league.bar.name[b].assign(spec.name);
    league.bar.n_table_this_bar[b] = spec.tables;
    league.bar.n_team_this_bar[b] = static_cast<int>(spec.teams.size());
    for (const auto& team : spec.teams) {
      league.team.bar_number[at(league.n_team)] = league.n_bar;
      league.team.name[at(league.n_team++)].assign(team);
    }
  }
  league.n_bar_slot = league.n_bar;
  league.n_team_slot = league.n_team;
  return league;
}

// Teams "Team 1".."Team n" in bars of per_bar teams with two tables each
// (the last bar may hold fewer); per_bar 1 allows at most 49 teams.
inline League grouped_league(int n_team, int per_bar = 3) {
  std::vector<BarSpec> bars;
  for (int t = 0; t < n_team; ++t) {
    if (t % per_bar == 0) bars.push_back({"Bar " + std::to_string(t + 1), 2, {}});
    bars.back().teams.push_back("Team " + std::to_string(t + 1));
  }
  return make_league("Test League", bars);
}

// "A-B" cells round by round, slots left to right, as the tables are written.
inline std::vector<std::string> cells(const schedule::RoundTable& t) {
  std::vector<std::string> rounds(at(t.nweek));
  for (int r = 1; r <= t.nweek; ++r) {
    for (int s = 1; s <= t.nmatch; ++s) {
      rounds[at(r - 1)] += (s > 1 ? " " : "") + std::to_string(t.A[at(s)][at(r)]) + "-" + std::to_string(t.B[at(s)][at(r)]);
    }
  }
  return rounds;
}

inline schedule::RoundTable balanced_table(const League& league, schedule::BalanceState* state = nullptr) {
  schedule::RoundTable table;
  schedule::BarLimits limits;
  schedule::BalanceState own;
  schedule::build_round_table(table, league.n_team);
  schedule::compute_bar_limits(league, limits);
  schedule::balance(table, league, limits, state ? *state : own);
  return table;
}

inline std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace quintora::test
