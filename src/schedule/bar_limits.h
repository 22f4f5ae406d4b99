#pragma once
// How many home matches each bar may and must have in one round, from its
// team and table counts. The lower limit is the team count minus the upper
// one, so a round within both limits stays within them with home and away
// exchanged.

#include <array>

#include "league/league.h"

namespace quintora::schedule {

struct BarLimits {
  int n_bar = 0;
  // Indexed by bar number 1..n_bar; index 0 is unused.
  std::array<int, league::bar_room> max_home_this_bar{};
  std::array<int, league::bar_room> min_home_this_bar{};
};

// The limits of a bar with n_team teams and n_table tables.
void limits_of_bar(int n_team, int n_table, int& max_home, int& min_home);

// Limits of the bars at positions 0..n_bar-1 (a compact league's bars 1..n_bar).
void compute_bar_limits(const league::League& league, BarLimits& limits);

}  // namespace quintora::schedule
