#pragma once
// Fairest: a season in which no bar ever hosts more matches in a week than it
// has tables, and the teams change between home and away as often as any
// season of mirrored passes allows.
//
// The rounds come from the canonical circle schedule (D. de Werra, "Scheduling
// in sports", 1981), whose breaks (a team on the same side in two consecutive
// weeks that it plays) are the fewest possible:
// - even team count n: n - 2 breaks in one pass, 3n - 6 over a pass and its
//   mirror, (2k - 1)(n - 2) over k whole passes (n - 2 within each pass and
//   n - 2 at each pass boundary);
// - odd team count: the dummy takes the circle's fixed place, so a team's one
//   break of the even schedule falls on its bye and no team has a break within
//   a pass. Each team then has exactly one break at each pass boundary, which
//   is also the fewest: a team that alternates within a pass plays an even
//   number of games, so it ends the pass on the side opposite to its start,
//   which is the side the exchanged next pass starts on.
// The schedule's home-away patterns come in complementary pairs. Two teams of
// one bar given a complementary pair are never at home in the same week, so a
// bar with k teams hosts at most (k + 1) / 2 matches a week, the most the
// table check lets it have.

#include <array>

#include "league/league.h"
#include "schedule/round_table.h"
#include "schedule/schedule_options.h"

namespace quintora::schedule {

// Fills `table` for the teams of `league`, with the rounds already in play
// order (play it with table_order), in the layout of build_round_table:
// A hosts, B visits; in an odd league slot 1 of each round pairs the dummy
// team n_team_even with the team that has its bye there. `variant` (1 to
// max_variant; others are clamped) picks one of many schedules of equal
// quality; 1 is the canonical one. The result depends on the league and the
// variant alone, the same on every platform.
//
// The league is a compact one that the run accepts (league_fits_run) and that
// passes the table check: each bar has at least (teams + 1) / 2 tables. Up to
// max_team_even teams; another count leaves the table empty (nweek 0).
void build_fairest_table(RoundTable& table, const league::League& league, int variant);

// The circle's positions as Fairest deals them: team_at[k] is the team on
// position k (0..n - 1); in an odd league the dummy n stands on the fixed
// position n - 1. Every placement of the teams gives the same breaks.
struct CirclePlacement {
  using Positions = std::array<int, max_team_even + 1>;
  Positions team_at{};
  int n = 0;  // team count with the dummy
  bool odd = false;
  bool reversed = false;  // the rounds played backwards
};
CirclePlacement fairest_placement(const league::League& league, int variant);
// The table of a placement, rounds in play order (what build_fairest_table fills).
void play_placement(RoundTable& table, const CirclePlacement& placement);

}  // namespace quintora::schedule
