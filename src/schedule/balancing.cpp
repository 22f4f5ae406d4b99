#include "schedule/balancing.h"

#include <cstddef>
#include <utility>

#include "schedule/text_format.h"

namespace quintora::schedule {

namespace {

int cell(const std::array<std::array<int, max_rounds + 1>, max_slots + 1>& side, int slot, int round) {
  return side[at(slot)][at(round)];
}

// Maps every team number to its bar, or to 0 when it has none (the dummy of
// an odd league, or a number that names no bar).
void fill_home_bars(const RoundTable& table, const league::League& league, int n_bar, BalanceState& state) {
  state.home_bar.fill(0);
  for (int t = 1; t <= table.n_team_even && t <= league.n_team && t <= league::team_room; ++t) {
    const int bar = league.team.bar_number[at(t - 1)];
    state.home_bar[at(t)] = (bar >= 1 && bar <= n_bar) ? bar : 0;
  }
}

}  // namespace

namespace {

void count_home_matches(const RoundTable& table, BalanceState& state) {
  state.n_home_of_team.fill(0);
  for (int r = 1; r <= table.nweek; ++r) {
    for (int s = table.first_real_slot; s <= table.nmatch; ++s)
      ++state.n_home_of_team[at(cell(table.A, s, r))];
  }
}

// The part of an evaluation that depends on the round alone; n_home_of_team
// must be current.
void evaluate_candidates(const RoundTable& table, const BarLimits& limits, int round, BalanceState& state) {
  state.n_match_this_bar.fill(0);
  for (int s = table.first_real_slot; s <= table.nmatch; ++s) {
    ++state.n_match_this_bar[at(state.home_bar[at(cell(table.A, s, round))])];
  }

  state.TheMaxNumber.fill(-999);
  state.TheMinNumber.fill(999);
  state.teamN_with_max_home_this_bar.fill(0);
  state.teamN_with_min_home_this_bar.fill(0);

  for (int s = table.first_real_slot; s <= table.nmatch; ++s) {
    const int h = cell(table.A, s, round);
    const int v = cell(table.B, s, round);
    const auto X = at(state.home_bar[at(h)]);
    const auto Y = at(state.home_bar[at(v)]);
    // A host may give up its match only to a visitor whose bar has room for it.
    if (state.n_match_this_bar[Y] < limits.max_home_this_bar[Y] &&
        state.TheMaxNumber[X] < state.n_home_of_team[at(h)]) {
      state.teamN_with_max_home_this_bar[X] = h;
      state.TheMaxNumber[X] = state.n_home_of_team[at(h)];
    }
    // A visitor may take a match only from a host whose bar can spare one.
    if (limits.min_home_this_bar[X] < state.n_match_this_bar[X] &&
        state.TheMinNumber[Y] > state.n_home_of_team[at(v)]) {
      state.teamN_with_min_home_this_bar[Y] = v;
      state.TheMinNumber[Y] = state.n_home_of_team[at(v)];
    }
  }
}

// Exchanges home and away in one cell. The home counts over the whole table
// change for these two teams only, so they are kept up to date here instead
// of being recounted at every evaluation.
void flip_and_evaluate(RoundTable& table, const BarLimits& limits, int slot, int round, BalanceState& state) {
  int& home = table.A[at(slot)][at(round)];
  int& visitor = table.B[at(slot)][at(round)];
  --state.n_home_of_team[at(home)];
  ++state.n_home_of_team[at(visitor)];
  std::swap(home, visitor);
  ++state.exchanges;
  evaluate_candidates(table, limits, round, state);
}

}  // namespace

void balance(RoundTable& table, const league::League& league, const BarLimits& limits, BalanceState& state) {
  state = BalanceState{};
  fill_home_bars(table, league, limits.n_bar, state);
  count_home_matches(table, state);

  for (int r = 1; r <= table.nweek; ++r) {
    evaluate_candidates(table, limits, r, state);
    for (int b = 1; b <= limits.n_bar; ++b) {
      const int excess = state.n_match_this_bar[at(b)] - limits.max_home_this_bar[at(b)];
      const int deficit = limits.min_home_this_bar[at(b)] - state.n_match_this_bar[at(b)];
      if (excess > 0) {
        for (int n = 0; n < excess; ++n) {
          const int t = state.teamN_with_max_home_this_bar[at(b)];
          for (int s = table.first_real_slot; s <= table.nmatch; ++s) {
            if (cell(table.A, s, r) == t) {
              flip_and_evaluate(table, limits, s, r, state);
            }
          }
        }
      } else if (deficit > 0) {
        for (int n = 0; n < deficit; ++n) {
          const int t = state.teamN_with_min_home_this_bar[at(b)];
          for (int s = table.first_real_slot; s <= table.nmatch; ++s) {
            if (cell(table.B, s, r) == t) {
              flip_and_evaluate(table, limits, s, r, state);
            }
          }
        }
      }
    }
  }
}

}  // namespace quintora::schedule
