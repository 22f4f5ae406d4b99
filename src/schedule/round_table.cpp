#include "schedule/round_table.h"

namespace quintora::schedule {

namespace {

void set_pair(RoundTable& t, int slot, int round, int home, int visitor) {
  t.A[static_cast<std::size_t>(slot)][static_cast<std::size_t>(round)] = home;
  t.B[static_cast<std::size_t>(slot)][static_cast<std::size_t>(round)] = visitor;
}

}  // namespace

RoundOrder table_order(int nweek) {
  RoundOrder order;
  for (int k = 1; k <= nweek && k <= max_rounds; ++k) order.round[static_cast<std::size_t>(k)] = k;
  return order;
}

void build_round_table(RoundTable& t, int n_team) {
  t = RoundTable{};
  if (n_team < 1 || n_team > max_team_even) return;  // callers refuse these first

  if (n_team % 2 == 0) {
    t.n_team_even = n_team;
    t.first_real_slot = 1;
  } else {
    t.n_team_even = n_team + 1;
    t.first_real_slot = 2;
  }
  const int n = t.n_team_even;
  t.nweek = n - 1;
  t.nmatch = n / 2;

  // Step 1: each slot's fixed team meets opponents counting down, alternating
  // home and away, from round 2i-1 on and wrapping round to round 1.
  for (int i = 1; i <= t.nmatch; ++i) {
    const int fixed = n - i + 1;
    int q = 1;
    auto visit = [&](int round) {
      const int opponent = n - i - (q - 1);
      if (q % 2 == 1) {
        set_pair(t, i, round, fixed, opponent);
      } else {
        set_pair(t, i, round, opponent, fixed);
      }
      ++q;
    };
    for (int round = 2 * i - 1; round <= t.nweek; ++round) visit(round);
    if (i >= 3) {
      for (int round = 1; round <= i - 2; ++round) visit(round);
    }
  }

  // Step 2: team 1 takes the two rounds just before each slot's own start.
  for (int i = 2; i <= t.nmatch; ++i) {
    set_pair(t, i, 2 * i - 3, 1, t.nmatch - i + 2);
    set_pair(t, i, 2 * i - 2, n - i + 1, 1);
  }

  // Step 3: the rounds still open in slots 3 and up pair the low teams.
  for (int i = 3; i <= t.nmatch; ++i) {
    const int b = t.nmatch - i + 2;
    for (int k = 0; k <= i - 3; ++k) {
      const int round = 2 * i - 4 - k;
      if (k % 2 == 0) {
        set_pair(t, i, round, b + 1 + k, b);
      } else {
        set_pair(t, i, round, b, b + 1 + k);
      }
    }
  }
}

}  // namespace quintora::schedule
