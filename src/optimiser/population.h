#pragma once
// The population of the search: two stores of 50 records that take turns as
// the current and the next generation. A record holds what one line of the
// classic record store held (evaluated flag, cost in 14-column exponent text,
// the round order); the stores live in memory, but every cost that enters a
// record is rounded exactly as that text form would round it.

#include <array>

#include "optimiser/tables.h"

namespace quintora::optimiser {

struct Individual {
  int evaluated = 0;  // 0: cost not valid yet
  double cost = 0.0;  // as read back from the record: six significant digits
  RoundSequence order;
};

struct PopulationStore {
  std::array<Individual, population_size> record{};  // record j+1 at index j
};

// The value a cost reads back as after passing through a record's text form
// (1234567 -> 1234570, 1234565 -> 1234560).
double stored_cost(double cost);

// Rewrites a record as an operator leaves it: not evaluated, cost 0.
inline void mark_changed(Individual& individual) {
  individual.evaluated = 0;
  individual.cost = 0.0;
}

}  // namespace quintora::optimiser
