#include "round_robin.h"

#include <cstdio>
#include <utility>

#include "optimiser/cost.h"

namespace quintora::optimiser::testing {

PairingTable round_robin(int real_teams, unsigned flip_seed) {
  PairingTable table;
  const int n = real_teams % 2 == 0 ? real_teams : real_teams + 1;
  const bool odd = n != real_teams;
  table.n_team_even = n;
  table.nv = n - 1;
  table.m = odd ? n / 2 - 1 : n / 2;
  table.mode = odd ? 2 : 1;
  unsigned state = flip_seed * 2654435761u + 1u;
  // Circle method: team n stays, teams 1..n-1 turn.
  for (int r = 0; r < n - 1; ++r) {
    int k = 0;
    auto add = [&](int a, int b) {
      if (odd && (a == n || b == n)) return;
      state = state * 1103515245u + 12345u;
      if (flip_seed != 0 && ((state >> 16) & 1u)) std::swap(a, b);
      table.first[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(a);
      table.second[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(b);
      ++k;
    };
    add(n, r + 1);
    for (int i = 1; i < n / 2; ++i) {
      const int a = (r + i) % (n - 1) + 1;
      const int b = (r - i + (n - 1)) % (n - 1) + 1;
      add(a, b);
    }
  }
  index_pairings(table);
  return table;
}

PairingTable lower_first_round_robin(int real_teams) {
  PairingTable table = round_robin(real_teams);
  for (int r = 0; r < table.nv; ++r) {
    for (int k = 0; k < table.m; ++k) {
      auto& a = table.first[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)];
      auto& b = table.second[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)];
      if (a > b) std::swap(a, b);
    }
  }
  index_pairings(table);
  return table;
}

std::string input_text(const PairingTable& table) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%d  %d  %d  %d\n", table.n_team_even, table.nv, table.m, table.mode);
  std::string text = buffer;
  for (int r = 0; r < table.nv; ++r) {
    for (int k = 0; k < table.m; ++k) {
      std::snprintf(buffer, sizeof buffer, "%d %d  ", table.first[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)],
                    table.second[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)]);
      text += buffer;
    }
    text += "\n";
  }
  return text;
}

RoundOrder identity_order(int nv) {
  RoundOrder order;
  for (int p = 0; p < nv; ++p) order.round[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(p + 1);
  return order;
}

}  // namespace quintora::optimiser::testing
