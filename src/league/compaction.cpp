#include "league/compaction.h"

#include "base/index.h"

namespace quintora::league {

Compaction compact(const League& league) {
  using base::at;
  Compaction c;
  const int bar_slots = league.n_bar_slot < bar_room ? league.n_bar_slot : bar_room;
  const int team_slots = league.n_team_slot < team_room ? league.n_team_slot : team_room;
  for (int p = 0; p < bar_slots; ++p) {
    if (!bar_is_live(league, p)) continue;
    c.bar_number[at(p)] = ++c.bars;
    for (int t = 0; t < team_slots; ++t) {
      if (c.team_bar[at(t)] == 0 && league.team.bar_number[at(t)] == league.bar.number[at(p)]) {
        c.team_bar[at(t)] = c.bars;
        ++c.bar_teams[at(p)];
      }
    }
  }
  // Teams grouped by bar in bar order, each bar's teams in entry order.
  for (std::int32_t k = 1; k <= c.bars; ++k) {
    for (int t = 0; t < team_slots; ++t) {
      if (c.team_bar[at(t)] != k) continue;
      c.team_at[at(c.teams)] = t;
      c.team_number[at(t)] = ++c.teams;
    }
  }
  return c;
}

}  // namespace quintora::league
