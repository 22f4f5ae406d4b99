#include "schedule/fairest.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "schedule/text_format.h"

namespace quintora::schedule {

namespace {

// A small fixed generator (splitmix64) and a shuffle of our own, so that a
// variant gives the same schedule with every compiler and standard library.
class Draw {
 public:
  explicit Draw(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  // 0 .. bound - 1 for bound >= 1.
  int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }
  bool coin() { return (next() >> 63) != 0; }

 private:
  std::uint64_t state_;
};

using TeamList = CirclePlacement::Positions;

// Fisher-Yates over entries first .. first + count - 1.
void shuffle(TeamList& list, int first, int count, Draw& draw) {
  for (int i = count - 1; i > 0; --i) {
    const int j = draw.below(i + 1);
    std::swap(list[at(first + i)], list[at(first + j)]);
  }
}

void set_pair(RoundTable& t, int slot, int round, int home, int visitor) {
  t.A[at(slot)][at(round)] = home;
  t.B[at(slot)][at(round)] = visitor;
}

// The teams grouped by bar, in team order within a bar: bar b's teams stand
// from start[b] to start[b + 1] - 1. A team without a valid bar (never in a
// league the run accepts) goes with bar 0.
struct BarGroups {
  std::array<int, league::bar_room + 1> start{};
  TeamList teams{};
};

BarGroups group_by_bar(const league::League& league, int c) {
  BarGroups g;
  auto bar_of = [&](int team) {
    const int bar = league.team.bar_number[at(team - 1)];
    return bar >= 1 && bar < league::bar_room ? bar : 0;
  };
  for (int team = 1; team <= c; ++team) ++g.start[at(bar_of(team) + 1)];
  for (int b = 1; b <= league::bar_room; ++b) g.start[at(b)] += g.start[at(b - 1)];
  std::array<int, league::bar_room + 1> fill = g.start;
  for (int team = 1; team <= c; ++team) g.teams[at(fill[at(bar_of(team))]++)] = team;
  return g;
}

struct Pairs {
  TeamList first{};
  TeamList second{};
};

// Pairs the teams of each bar; the one left over in a bar with an odd count
// is paired with the one left over in another bar. In an odd league the
// last one left over is paired with the dummy n, in pair 0.
Pairs pair_teams(BarGroups& g, bool odd_league, int n, bool canonical, Draw& draw) {
  Pairs pairs;
  TeamList leftover{};
  int n_pair = odd_league ? 1 : 0;
  int n_leftover = 0;
  for (int b = 0; b < league::bar_room; ++b) {
    const int from = g.start[at(b)];
    const int count = g.start[at(b + 1)] - from;
    if (!canonical) shuffle(g.teams, from, count, draw);
    for (int k = 0; k + 1 < count; k += 2, ++n_pair) {
      pairs.first[at(n_pair)] = g.teams[at(from + k)];
      pairs.second[at(n_pair)] = g.teams[at(from + k + 1)];
    }
    if (count % 2 == 1) leftover[at(n_leftover++)] = g.teams[at(from + count - 1)];
  }
  if (!canonical) shuffle(leftover, 0, n_leftover, draw);
  for (int k = 0; k + 1 < n_leftover; k += 2, ++n_pair) {
    pairs.first[at(n_pair)] = leftover[at(k)];
    pairs.second[at(n_pair)] = leftover[at(k + 1)];
  }
  if (odd_league && n_leftover > 0) {  // an odd count of teams always leaves one over
    pairs.first[0] = leftover[at(n_leftover - 1)];
    pairs.second[0] = n;
  }
  return pairs;
}

// Places the pairs on the circle of n positions. Positions 0 .. n - 2 turn;
// position n - 1 is the fixed one. The patterns of positions 0 and n - 1 are
// complementary, and so are those of 2j - 1 and 2j for j = 1 .. n/2 - 1. A
// variant deals the pairs to other position pairs and sides; the dummy's
// pair stays.
TeamList place_pairs(const Pairs& pairs, int n, bool odd_league, bool canonical, Draw& draw) {
  const int n_pairs = n / 2;
  TeamList order{};
  for (int j = 0; j < n_pairs; ++j) order[at(j)] = j;
  const int dealt_from = odd_league ? 1 : 0;
  if (!canonical) shuffle(order, dealt_from, n_pairs - dealt_from, draw);
  TeamList team_at{};
  for (int j = 0; j < n_pairs; ++j) {
    int p = pairs.first[at(order[at(j)])];
    int q = pairs.second[at(order[at(j)])];
    if (!canonical && j >= dealt_from && draw.coin()) std::swap(p, q);
    team_at[at(j == 0 ? 0 : 2 * j - 1)] = p;
    team_at[at(j == 0 ? n - 1 : 2 * j)] = q;
  }
  return team_at;
}

// Round r pairs the fixed position with r and r + k with r - k (modulo
// n - 1). The fixed position's match alternates sides from round to round;
// in the others r + k hosts for odd k and r - k for even k.
void play_circle(RoundTable& t, const TeamList& team_at, int n, bool reversed) {
  const int fixed = n - 1;
  const int turning = n - 1;
  for (int r = 0; r < turning; ++r) {
    const int round = reversed ? turning - r : r + 1;
    if (r % 2 == 0) {
      set_pair(t, 1, round, team_at[at(r)], team_at[at(fixed)]);
    } else {
      set_pair(t, 1, round, team_at[at(fixed)], team_at[at(r)]);
    }
    for (int k = 1; k < n / 2; ++k) {
      const int up = team_at[at((r + k) % turning)];
      const int down = team_at[at((r - k + turning) % turning)];
      if (k % 2 == 1) {
        set_pair(t, k + 1, round, up, down);
      } else {
        set_pair(t, k + 1, round, down, up);
      }
    }
  }
}

}  // namespace

CirclePlacement fairest_placement(const league::League& league, int variant) {
  CirclePlacement placement;
  const int c = league.n_team;
  if (c < 1 || c > max_team_even || c > league::team_room) return placement;  // callers refuse these first
  const bool odd_league = c % 2 == 1;
  const int n = odd_league ? c + 1 : c;
  placement.n = n;
  placement.odd = odd_league;
  const bool canonical = std::clamp(variant, 1, max_variant) == 1;
  Draw draw(static_cast<std::uint64_t>(std::clamp(variant, 1, max_variant)));
  BarGroups groups = group_by_bar(league, c);
  const Pairs pairs = pair_teams(groups, odd_league, n, canonical, draw);
  placement.team_at = place_pairs(pairs, n, odd_league, canonical, draw);
  placement.reversed = !canonical && draw.coin();
  return placement;
}

void play_placement(RoundTable& t, const CirclePlacement& placement) {
  t = RoundTable{};
  const int n = placement.n;
  if (n < 2 || n > max_team_even || n % 2 != 0) return;
  t.n_team_even = n;
  t.first_real_slot = placement.odd ? 2 : 1;
  t.nweek = n - 1;
  t.nmatch = n / 2;
  play_circle(t, placement.team_at, n, placement.reversed);
}

void build_fairest_table(RoundTable& t, const league::League& league, int variant) {
  play_placement(t, fairest_placement(league, variant));
}

}  // namespace quintora::schedule
