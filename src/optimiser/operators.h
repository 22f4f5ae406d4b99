#pragma once
// Variation of the search: random orders for the first population and the
// four operators that change one stored order in place. Every random draw is
// made in a fixed order, one per statement, so a run is reproducible.

#include <array>

#include "optimiser/population.h"
#include "optimiser/random.h"
#include "optimiser/tables.h"

namespace quintora::optimiser {

// Random keys: draws nv keys and lists the indices in ascending order of
// their keys, equal keys by lower index.
RoundSequence random_order(int nv, UniformRandom& random);
// The same from given keys (keys[0..nv-1], each 0 <= key < 1).
RoundSequence order_from_keys(const std::array<double, max_rounds>& keys, int nv);

// The changes themselves, positions counted from 1 as they are drawn.
void reverse_positions(RoundSequence& order, int a, int b);  // a <= b
void exchange_positions(RoundSequence& order, int a, int b);
void move_position(RoundSequence& order, int a, int b, int nv);  // b in 1..nv+1

// One application each: draws the record and the positions, changes the
// order and leaves the record not evaluated (also when nothing changed).
void invert_segment(PopulationStore& store, int nv, UniformRandom& random);
void exchange_rounds(PopulationStore& store, int nv, UniformRandom& random);
void move_round(PopulationStore& store, int nv, UniformRandom& random);
void exchange_neighbours(PopulationStore& store, int nv, UniformRandom& random);

struct OperatorCounts {
  int invert = 0;
  int exchange = 0;
  int move = 0;
  int neighbours = 0;
};

// Applications per generation for permutation factor f (0.3 gives 1/4/4/4,
// 0.6 gives 3/9/9/9).
OperatorCounts operator_counts(double f);

// All applications of one generation, in their fixed order.
void apply_operators(PopulationStore& store, int nv, double f, UniformRandom& random);

}  // namespace quintora::optimiser
