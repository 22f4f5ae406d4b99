#include "optimiser/cost.h"

#include <bit>

namespace quintora::optimiser {

NextPositions next_rounds(int p, int nv) {
  if (nv < 3) return {1, 2};
  if (p <= nv - 2) return {p + 1, p + 2};
  if (p == nv - 1) return {nv, 1};
  return {1, 2};
}

NextPositions next_played_rounds(int t, int p, int nv, const MarkTable& marks) {
  const auto& row = marks.mark[static_cast<std::size_t>(t)];
  auto played = [&row](int x) { return row[static_cast<std::size_t>(x)] != 0; };
  if (nv < 3) return {1, 2};
  if (p <= nv - 3) {
    if (played(p + 1)) return {p + 1, played(p + 2) ? p + 2 : p + 3};
    return {p + 2, p + 3};
  }
  if (p == nv - 2) {
    if (played(p + 1)) return {p + 1, played(p + 2) ? p + 2 : 1};
    return {p + 2, 1};
  }
  if (p == nv - 1) {
    if (played(nv)) return {nv, played(1) ? 1 : 2};
    return {1, 2};
  }
  if (played(1)) return {1, played(2) ? 2 : 3};
  return {2, 3};
}

void build_mark_table(const RoundSequence& order, const PairingTable& table, MarkTable& marks) {
  for (int p = 1; p <= table.nv; ++p) {
    const auto r = static_cast<std::size_t>(order.round[static_cast<std::size_t>(p - 1)] - 1);
    for (int t = 1; t <= table.n_team_even; ++t)
      marks.mark[static_cast<std::size_t>(t)][static_cast<std::size_t>(p)] = 0;
    for (int k = 0; k < table.m; ++k) {
      marks.mark[table.first[r][static_cast<std::size_t>(k)]][static_cast<std::size_t>(p)] = 1;
      marks.mark[table.second[r][static_cast<std::size_t>(k)]][static_cast<std::size_t>(p)] = 2;
    }
  }
}

namespace {

// A step from position p to position q is a break in the alternation when
// the marks are equal going forward, or differ across the wrap (the replay
// exchanges the sides). A step to itself never is.
bool is_violation(int p, int q, int a, int b) {
  if (q > p) return a == b;
  if (q < p) return a != b;
  return false;
}

}  // namespace

int count_alternation_violations(int mode, int n_team_even, int nv, const MarkTable& marks,
                                 TeamCounts& counts) {
  counts.fill(0);
  const bool odd = mode == odd_league_mode;
  const int counted = odd ? n_team_even - 1 : n_team_even;
  for (int t = 1; t <= counted; ++t) {
    const auto& row = marks.mark[static_cast<std::size_t>(t)];
    int count = 0;
    for (int p = 1; p <= nv; ++p) {
      const int a = row[static_cast<std::size_t>(p)];
      if (odd && a == 0) continue;
      const NextPositions q = odd ? next_played_rounds(t, p, nv, marks) : next_rounds(p, nv);
      if (is_violation(p, q.q1, a, row[static_cast<std::size_t>(q.q1)])) {
        ++count;
        if (is_violation(p, q.q2, a, row[static_cast<std::size_t>(q.q2)])) ++count;
      }
    }
    counts[static_cast<std::size_t>(t)] = count;
  }
  return counted > 0 ? counted : 0;
}

void longest_runs(int n_team_even, int nv, const MarkTable& marks, TeamCounts& runs) {
  runs.fill(0);
  for (int t = 1; t <= n_team_even; ++t) {
    const auto& row = marks.mark[static_cast<std::size_t>(t)];
    int run = 0;
    int longest = 0;
    for (int p = 1; p < nv; ++p) {
      if (row[static_cast<std::size_t>(p)] == row[static_cast<std::size_t>(p + 1)]) {
        ++run;
        if (run > longest) longest = run;
      } else {
        run = 0;
      }
    }
    runs[static_cast<std::size_t>(t)] = longest + 1;
  }
}

namespace {

double sum_of_squares(const TeamCounts& counts, int counted) {
  double cost = 0.0;
  for (int t = 1; t <= counted; ++t) {
    const int c = counts[static_cast<std::size_t>(t)];
    cost += static_cast<double>(c * c);
  }
  return cost;
}

}  // namespace

double evaluate_order_reference(const RoundSequence& order, const PairingTable& table, MarkTable& marks,
                                TeamCounts& counts) {
  build_mark_table(order, table, marks);
  const int counted = count_alternation_violations(table.mode, table.n_team_even, table.nv, marks, counts);
  return sum_of_squares(counts, counted);
}

namespace {

// 128 bits: bit i stands for the (i+1)-th entry of a team's sequence.
struct Bits {
  std::uint64_t low = 0;
  std::uint64_t high = 0;
};

Bits operator&(Bits a, Bits b) { return {a.low & b.low, a.high & b.high}; }
Bits operator|(Bits a, Bits b) { return {a.low | b.low, a.high | b.high}; }
Bits operator^(Bits a, Bits b) { return {a.low ^ b.low, a.high ^ b.high}; }
Bits operator~(Bits a) { return {~a.low, ~a.high}; }

// Shift towards bit 0 by s, 1 <= s <= 63.
Bits shift_down(Bits a, int s) { return {(a.low >> s) | (a.high << (64 - s)), a.high >> s}; }

// Bits 0..n-1, 0 <= n <= 128.
Bits low_bits(int n) {
  if (n <= 0) return {};
  if (n < 64) return {(std::uint64_t{1} << n) - 1, 0};
  if (n == 64) return {~std::uint64_t{0}, 0};
  if (n < 128) return {~std::uint64_t{0}, (std::uint64_t{1} << (n - 64)) - 1};
  return {~std::uint64_t{0}, ~std::uint64_t{0}};
}

Bits single_bit(int i) {
  return i < 64 ? Bits{std::uint64_t{1} << i, 0} : Bits{0, std::uint64_t{1} << (i - 64)};
}

int popcount(Bits a) { return std::popcount(a.low) + std::popcount(a.high); }

// A team's count from its sequence of played marks (bit set = first-named),
// `length` >= 3 entries. The wrap is made a plain forward step by appending
// the first two entries with the sides exchanged, as the replay plays them;
// then every step is a violation exactly when the marks are equal, and the
// second step is tested only after a violating first one.
int count_from_sequence(Bits sequence, int length) {
  Bits extended = sequence;
  if ((sequence.low & 1u) == 0) extended = extended | single_bit(length);
  if ((sequence.low & 2u) == 0) extended = extended | single_bit(length + 1);
  const Bits span = low_bits(length);
  const Bits equal_next = ~(extended ^ shift_down(extended, 1)) & span;
  const Bits equal_after = ~(extended ^ shift_down(extended, 2)) & span;
  return popcount(equal_next) + popcount(equal_next & equal_after);
}

}  // namespace

void transpose_bits(std::array<std::uint64_t, 64>& rows) {
  // Swap the off-diagonal halves of ever smaller blocks: 32, 16, ... 1.
  std::uint64_t mask = 0x00000000FFFFFFFFu;
  for (std::size_t j = 32; j != 0; j >>= 1, mask ^= mask << j) {
    for (std::size_t k = 0; k < 64; k = ((k | j) + 1) & ~j) {
      const std::uint64_t t = ((rows[k] >> j) ^ rows[k | j]) & mask;
      rows[k | j] ^= t;
      rows[k] ^= t << j;
    }
  }
}

void index_pairings(PairingTable& table) {
  const bool odd = table.mode == odd_league_mode;
  for (int r = 0; r < table.nv; ++r) {
    const auto round = static_cast<std::size_t>(r);
    table.first_low[round] = 0;
    table.first_high[round] = 0;
    std::array<bool, max_teams_with_dummy + 1> plays{};
    for (int k = 0; k < table.m; ++k) {
      const auto slot = static_cast<std::size_t>(k);
      const int team = table.first[round][slot];
      if (team < 64) {
        table.first_low[round] |= std::uint64_t{1} << team;
      } else {
        table.first_high[round] |= std::uint64_t{1} << (team - 64);
      }
      plays[table.first[round][slot]] = true;
      plays[table.second[round][slot]] = true;
    }
    table.bye_team[round] = 0;
    if (odd) {
      for (int t = 1; t < table.n_team_even; ++t) {
        if (!plays[static_cast<std::size_t>(t)]) table.bye_team[round] = static_cast<std::uint8_t>(t);
      }
    }
  }
}

namespace {

// Fills work.first_low/high by transposition: the order's rounds, each a row
// of team bits, make a position-by-team matrix; its transpose holds a row of
// position bits per team. Four 64 x 64 blocks: positions 1..64 / 65..128 by
// teams 0..63 / 64..127.
void first_named_positions(const RoundSequence& order, const PairingTable& table, CostWorkspace& work) {
  const int nv = table.nv;
  std::array<std::uint64_t, 64> block[4]{};
  for (int p = 0; p < nv; ++p) {
    const auto r = static_cast<std::size_t>(order.round[static_cast<std::size_t>(p)] - 1);
    const auto row = static_cast<std::size_t>(p & 63);
    const int half = p < 64 ? 0 : 2;
    block[half][row] = table.first_low[r];
    block[half + 1][row] = table.first_high[r];
  }
  transpose_bits(block[0]);
  transpose_bits(block[1]);
  if (nv > 64) {
    transpose_bits(block[2]);
    transpose_bits(block[3]);
  }
  for (std::size_t t = 0; t < 64; ++t) {
    work.first_low[t] = block[0][t];
    work.first_high[t] = block[2][t];
    work.first_low[t + 64] = block[1][t];
    work.first_high[t + 64] = block[3][t];
  }
}

Bits first_named_row(const CostWorkspace& work, int t) {
  return {work.first_low[static_cast<std::size_t>(t)], work.first_high[static_cast<std::size_t>(t)]};
}

}  // namespace

double evaluate_order(const RoundSequence& order, const PairingTable& table, CostWorkspace& work,
                      TeamCounts& counts) {
  const int nv = table.nv;
  const int n = table.n_team_even;
  const bool odd = table.mode == odd_league_mode;
  // The bit form needs three entries of every played sequence; the smallest
  // tables take the step-by-step rule, which covers them cheaply.
  if (nv < 5) return evaluate_order_reference(order, table, work.marks, counts);
  first_named_positions(order, table, work);

  counts.fill(0);
  double cost = 0.0;
  if (!odd) {
    for (int t = 1; t <= n; ++t) {
      const int c = count_from_sequence(first_named_row(work, t), nv);
      counts[static_cast<std::size_t>(t)] = c;
      cost += static_cast<double>(c * c);
    }
    return cost;
  }

  work.bye_position.fill(0);
  for (int p = 0; p < nv; ++p) {
    const auto r = static_cast<std::size_t>(order.round[static_cast<std::size_t>(p)] - 1);
    work.bye_position[table.bye_team[r]] = static_cast<std::uint8_t>(p);
  }
  for (int t = 1; t < n; ++t) {
    const Bits row = first_named_row(work, t);
    // Close the gap of the bye: the team's own sequence of played rounds.
    const Bits before = low_bits(work.bye_position[static_cast<std::size_t>(t)]);
    const Bits played = (row & before) | (shift_down(row, 1) & ~before);
    const int c = count_from_sequence(played, nv - 1);
    counts[static_cast<std::size_t>(t)] = c;
    cost += static_cast<double>(c * c);
  }
  return cost;
}

}  // namespace quintora::optimiser
