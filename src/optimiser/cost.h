#pragma once
// The alternation cost of a round order: per team, how often it fails to
// alternate between first- and second-named from one played round to the
// next (the season replays the order with the sides exchanged, so a step
// that wraps to the start counts when the marks differ); the cost is the sum
// of the squared per-team counts. Lower is better, 0 is the target.

#include <array>
#include <cstdint>

#include "optimiser/tables.h"

namespace quintora::optimiser {

struct NextPositions {
  int q1 = 0;
  int q2 = 0;
};

// The two positions after p (all counted from 1), cyclic, no byes.
NextPositions next_rounds(int p, int nv);
// The same for team t of an odd league, skipping the position of its bye.
NextPositions next_played_rounds(int t, int p, int nv, const MarkTable& marks);

// Transposes a 64 x 64 bit matrix in place: bit j of word i goes to bit i of
// word j.
void transpose_bits(std::array<std::uint64_t, 64>& rows);

// Marks of every team at every position of `order`.
void build_mark_table(const RoundSequence& order, const PairingTable& table, MarkTable& marks);

// Per-team violation counts; returns the number of counted teams (the dummy
// of an odd league is not counted, its entry is 0).
int count_alternation_violations(int mode, int n_team_even, int nv, const MarkTable& marks,
                                 TeamCounts& counts);

// Per team 1..n_team_even: the longest run of equal marks over positions
// 1..nv, without wrap-around (marks of 0 included).
void longest_runs(int n_team_even, int nv, const MarkTable& marks, TeamCounts& runs);

// The cost computed step by step through the mark table; the plain statement
// of the rule, kept as the yardstick for the fast version.
double evaluate_order_reference(const RoundSequence& order, const PairingTable& table, MarkTable& marks,
                                TeamCounts& counts);

// Fills the table's derived fields (bye_team, first_low/high) from its pairings;
// the reader calls it, anyone else who builds a table must too.
void index_pairings(PairingTable& table);

// Scratch space of the fast evaluation, kept by the caller so that an
// evaluation allocates nothing.
struct CostWorkspace {
  // Per team: bit p set where it is first-named at position p+1; positions
  // 1..64 in the low words, 65..128 in the high words. Teams 0..127.
  std::array<std::uint64_t, 128> first_low{};
  std::array<std::uint64_t, 128> first_high{};
  std::array<std::uint8_t, max_teams_with_dummy + 1> bye_position{};
  MarkTable marks;  // for the smallest tables only
};

// The same cost and counts as evaluate_order_reference, for a table as the
// "optimal.inp" reader accepts it (a single round-robin, indexed). Works on
// bit rows: one bit per position, set where the team is first-named.
double evaluate_order(const RoundSequence& order, const PairingTable& table, CostWorkspace& work,
                      TeamCounts& counts);

}  // namespace quintora::optimiser
