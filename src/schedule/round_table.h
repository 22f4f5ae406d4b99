#pragma once
// The single round-robin of a run: every team meets every other team once.
// The layout is fixed by the team count alone, so the balancing, the
// optimiser's input and the printed schedule all agree on which pairing
// stands in which slot of which round.

#include <array>

namespace quintora::schedule {

inline constexpr int max_team_even = 100;  // 100 teams, or 99 and the dummy of an odd league
inline constexpr int max_slots = max_team_even / 2;
inline constexpr int max_rounds = max_team_even - 1;

struct RoundTable {
  int n_team_even = 0;      // the league's team count, plus the dummy when it is odd
  int first_real_slot = 1;  // 1, or 2 when slot 1 holds the bye: the dummy team of an odd league
  int nweek = 0;            // rounds in the table (not the season length)
  int nmatch = 0;           // slots per round
  // Indexed [slot][round], both counted from 1; index 0 is unused.
  std::array<std::array<int, max_rounds + 1>, max_slots + 1> A{};  // home team
  std::array<std::array<int, max_rounds + 1>, max_slots + 1> B{};  // visiting team
};

// The order in which the rounds are played in each pass of the season:
// position k (1..nweek) plays round[k]. Index 0 is unused.
struct RoundOrder {
  std::array<int, max_rounds + 1> round{};
};

// Position k plays round k.
RoundOrder table_order(int nweek);

// Fills `table` for n_team real teams (1..100); the caller refuses other counts.
void build_round_table(RoundTable& table, int n_team);

}  // namespace quintora::schedule
