#pragma once
// Test tables: single round-robins as the schedule run writes them, and the
// text of "optimal.inp" for a table.

#include <string>

#include "optimiser/tables.h"

namespace quintora::optimiser::testing {

// A round-robin for `real_teams` teams (an odd count gets a dummy whose
// pairings are left out, mode 2). `flip_seed` exchanges the sides of some
// pairings so that the marks are not all alike.
PairingTable round_robin(int real_teams, unsigned flip_seed = 0);

// The same pairings with the lower team number always first-named: long
// runs of equal marks, costs above a million for the largest league.
PairingTable lower_first_round_robin(int real_teams);

// The table in the writer's layout ("%d  %d  %d  %d", then "%d %d  " per pairing).
std::string input_text(const PairingTable& table);

RoundOrder identity_order(int nv);

}  // namespace quintora::optimiser::testing
