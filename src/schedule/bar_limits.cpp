#include "schedule/bar_limits.h"

#include <algorithm>
#include <cstddef>

namespace quintora::schedule {

void limits_of_bar(int n_team, int n_table, int& max_home, int& min_home) {
  if (n_team == 1) {
    max_home = 1;
    min_home = 0;
    return;
  }
  int m = n_team / 2 + 1;
  m = std::min(m, std::min(n_team, n_table));
  m = std::min(m, n_team - 1);
  max_home = m;
  min_home = n_team - m;
}

void compute_bar_limits(const league::League& league, BarLimits& limits) {
  limits = BarLimits{};
  limits.n_bar = std::clamp(league.n_bar, 0, league::max_bars);
  for (int b = 1; b <= limits.n_bar; ++b) {
    const auto p = static_cast<std::size_t>(b - 1);
    limits_of_bar(league.bar.n_team_this_bar[p], league.bar.n_table_this_bar[p],
                  limits.max_home_this_bar[static_cast<std::size_t>(b)],
                  limits.min_home_this_bar[static_cast<std::size_t>(b)]);
  }
}

}  // namespace quintora::schedule
