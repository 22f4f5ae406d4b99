#pragma once
// The optimiser's working data: the pairing table it reads, a round order, the
// per-team marks of an order and the per-team counts. All fixed in size, sized
// for the largest league (100 teams with the dummy, 99 rounds, 50 pairings).

#include <array>
#include <cstdint>

namespace quintora::optimiser {

inline constexpr int max_teams_with_dummy = 100;
inline constexpr int max_rounds = 99;
inline constexpr int max_pairings = 50;
inline constexpr int population_size = 50;

// Mode value of an odd league (every round has a bye); any other value is an
// even league.
inline constexpr int odd_league_mode = 2;

// The pairing table of "optimal.inp". Rounds and pairings are stored from
// index 0; team numbers are the file's (1..n_team_even).
struct PairingTable {
  int n_team_even = 0;  // even team count, with the dummy of an odd league
  int nv = 0;           // rounds = n_team_even - 1 = length of a round order
  int m = 0;            // pairings per round line
  int mode = 1;         // 2: odd league, anything else: even league
  std::array<std::array<std::uint8_t, max_pairings>, max_rounds> first{};
  std::array<std::array<std::uint8_t, max_pairings>, max_rounds> second{};
  // Derived by index_pairings (cost.h), for the fast cost:
  // the real team that sits out each round (odd league only, 0 otherwise),
  std::array<std::uint8_t, max_rounds> bye_team{};
  // and per round the first-named teams as bits (bit t for team t: teams
  // 0..63 in the low word, 64..127 in the high word).
  std::array<std::uint64_t, max_rounds> first_low{};
  std::array<std::uint64_t, max_rounds> first_high{};
};

// A round order: position p (from 0) holds the number (1..nv) of the round
// played (p+1)-th.
struct RoundSequence {
  std::array<std::uint8_t, max_rounds> round{};
};

// Marks by team (1..100) and position (1..99), counted from 1 as the report
// prints them: 1 first-named, 2 second-named, 0 not playing. Row and column 0
// are unused.
struct MarkTable {
  std::array<std::array<std::uint8_t, max_rounds + 1>, max_teams_with_dummy + 1> mark{};
};

// Per-team alternation violations, indexed by team number (1..100).
using TeamCounts = std::array<int, max_teams_with_dummy + 1>;

}  // namespace quintora::optimiser
