#pragma once
// Bar home balancing: walks the rounds in order and exchanges home and away
// in chosen pairings so that, as far as the pairings allow, every bar's home
// matches in a round stay within its limits. Pairings never change round and
// opponents never change; only A and B of a cell are swapped.

#include <array>

#include "league/league.h"
#include "schedule/bar_limits.h"
#include "schedule/round_table.h"

namespace quintora::schedule {

// The working values of one evaluation of a round, kept with the names the
// rules are written in. Arrays by bar are indexed 1..n_bar and by team
// 1..n_team_even; bar index 0 collects anything without a bar, so no index
// is ever out of range.
struct BalanceState {
  std::array<int, max_team_even + 1> home_bar{};        // bar number of each team
  std::array<int, max_team_even + 1> n_home_of_team{};  // home matches over the table
  std::array<int, league::bar_room> n_match_this_bar{};
  std::array<int, league::bar_room> TheMaxNumber{};
  std::array<int, league::bar_room> teamN_with_max_home_this_bar{};
  std::array<int, league::bar_room> TheMinNumber{};
  std::array<int, league::bar_room> teamN_with_min_home_this_bar{};
  int exchanges = 0;  // how many pairings were flipped, for tests and curiosity
};

// Balances `table` in place for the league's teams (positions 0..nweek of a
// compact league). Always completes; a round that cannot be fixed is left as
// it is.
void balance(RoundTable& table, const league::League& league, const BarLimits& limits, BalanceState& state);

}  // namespace quintora::schedule
