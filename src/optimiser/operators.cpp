#include "optimiser/operators.h"

#include <algorithm>
#include <utility>

namespace quintora::optimiser {

RoundSequence order_from_keys(const std::array<double, max_rounds>& keys_in, int nv) {
  std::array<double, max_rounds> keys = keys_in;
  RoundSequence order;
  for (int p = 0; p < nv; ++p) {
    double lowest = 1.5;
    int taken = 0;
    for (int k = 0; k < nv; ++k) {
      if (keys[static_cast<std::size_t>(k)] < lowest) {
        lowest = keys[static_cast<std::size_t>(k)];
        taken = k;
      }
    }
    order.round[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(taken + 1);
    keys[static_cast<std::size_t>(taken)] = 2.0;
  }
  return order;
}

RoundSequence random_order(int nv, UniformRandom& random) {
  std::array<double, max_rounds> keys{};
  for (int k = 0; k < nv; ++k) keys[static_cast<std::size_t>(k)] = random.next();
  return order_from_keys(keys, nv);
}

void reverse_positions(RoundSequence& order, int a, int b) {
  std::reverse(order.round.begin() + (a - 1), order.round.begin() + b);
}

void exchange_positions(RoundSequence& order, int a, int b) {
  std::swap(order.round[static_cast<std::size_t>(a - 1)], order.round[static_cast<std::size_t>(b - 1)]);
}

void move_position(RoundSequence& order, int a, int b, int nv) {
  if (b > nv + 1) b = nv + 1;
  const auto first = order.round.begin();
  if (b > a + 1) {
    // The round at a goes just before the round that stood at b.
    std::rotate(first + (a - 1), first + a, first + (b - 1));
  } else if (b < a) {
    std::rotate(first + (b - 1), first + (a - 1), first + a);
  }
}

namespace {

Individual& draw_record(PopulationStore& store, UniformRandom& random) {
  const int rec = draw_index(random, population_size);
  return store.record[static_cast<std::size_t>(rec - 1)];
}

// Positions a and b in 1..nv, put in ascending order.
std::pair<int, int> draw_span(int nv, UniformRandom& random) {
  int a = draw_index(random, nv);
  int b = draw_index(random, nv);
  if (b < a) std::swap(a, b);
  return {a, b};
}

}  // namespace

void invert_segment(PopulationStore& store, int nv, UniformRandom& random) {
  Individual& individual = draw_record(store, random);
  const auto [a, b] = draw_span(nv, random);
  reverse_positions(individual.order, a, b);
  mark_changed(individual);
}

void exchange_rounds(PopulationStore& store, int nv, UniformRandom& random) {
  Individual& individual = draw_record(store, random);
  const auto [a, b] = draw_span(nv, random);
  exchange_positions(individual.order, a, b);
  mark_changed(individual);
}

void move_round(PopulationStore& store, int nv, UniformRandom& random) {
  Individual& individual = draw_record(store, random);
  const int a = draw_index(random, nv);
  const int b = draw_index(random, nv + 1);
  move_position(individual.order, a, b, nv);
  mark_changed(individual);
}

void exchange_neighbours(PopulationStore& store, int nv, UniformRandom& random) {
  Individual& individual = draw_record(store, random);
  const int k = draw_index(random, nv - 1);
  // A one-round order has no neighbours (and never gets here: it costs 0).
  if (k >= 1 && k < nv) exchange_positions(individual.order, k, k + 1);
  mark_changed(individual);
}

OperatorCounts operator_counts(double f) {
  // The rate constants are single precision; the products are formed in
  // double, left to right.
  constexpr double p = population_size;
  constexpr double rate_invert = static_cast<double>(0.1f);
  constexpr double rate_other = static_cast<double>(0.3f);
  auto at_least_one = [](double x) { return std::max(1, static_cast<int>(x)); };
  OperatorCounts counts;
  counts.invert = at_least_one((p * rate_invert) * f);
  counts.exchange = at_least_one((p * f) * rate_other);
  counts.move = counts.exchange;
  counts.neighbours = counts.exchange;
  return counts;
}

void apply_operators(PopulationStore& store, int nv, double f, UniformRandom& random) {
  const OperatorCounts counts = operator_counts(f);
  for (int i = 0; i < counts.invert; ++i) invert_segment(store, nv, random);
  for (int i = 0; i < counts.exchange; ++i) exchange_rounds(store, nv, random);
  for (int i = 0; i < counts.move; ++i) move_round(store, nv, random);
  for (int i = 0; i < counts.neighbours; ++i) exchange_neighbours(store, nv, random);
}

}  // namespace quintora::optimiser
