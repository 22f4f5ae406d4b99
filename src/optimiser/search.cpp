#include "optimiser/search.h"

#include <cmath>

#include "optimiser/cost.h"
#include "optimiser/operators.h"
#include "optimiser/population.h"
#include "optimiser/random.h"

namespace quintora::optimiser {

SearchLimits limits_for_effort(int effort) {
  switch (effort) {
    case 3: return {100, 10};
    case 4: return {500, 50};
    default: return {50, 5};
  }
}

namespace {

constexpr double target_cost = 0.0;
// Held in single precision, as it always was; compared in double.
constexpr double stall_tolerance = static_cast<double>(0.0001f);
// The worst order keeps a small positive share of the wheel.
constexpr double fitness_factor = 1.0000002;
// The best order always gets at least this share of the fitness sum.
constexpr double protected_share = 0.1;
constexpr double initial_permutation = 0.3;
constexpr double raised_permutation = 0.6;

struct SearchState {
  PopulationStore stores[2];
  int current = 0;
  std::array<double, population_size> cost{};
  std::array<double, population_size> fitness{};
  CostWorkspace work;
  TeamCounts counts{};
};

}  // namespace

SearchResult run_search(const PairingTable& table, int effort, ReportSink& sink) {
  const SearchLimits limits = limits_for_effort(effort);
  const int nv = table.nv;
  SearchResult result;
  UniformRandom random;  // from the seed, as every run
  double permutation = initial_permutation;

  SearchState state;  // fixed, about 25 kB
  for (Individual& individual : state.stores[0].record) {
    individual.evaluated = 0;
    individual.cost = 0.0;
    individual.order = random_order(nv, random);
  }

  long generation = 0;
  int stall_counter = 0;
  bool increase_done = false;
  bool stall_test_active = false;
  double best_cost = 0.0;
  double previous_best = 0.0;

  for (;;) {
    ++generation;
    if (stall_test_active) previous_best = best_cost;

    PopulationStore& current = state.stores[state.current];
    double worst_cost = 0.0;
    int best_record = 0;
    for (int j = 0; j < population_size; ++j) {
      Individual& individual = current.record[static_cast<std::size_t>(j)];
      double cost = individual.cost;
      if (individual.evaluated == 0) {
        cost = evaluate_order(individual.order, table, state.work, state.counts);
        ++result.evaluations;
        if (cost <= target_cost) {
          result.rule = StopRule::Target;
          result.best_cost = cost;
          result.best_order = individual.order;
          write_stop_message(sink, result.rule, limits.stall);
          return result;
        }
        // The record keeps the cost as its text form reads back; this
        // generation goes on with the exact value.
        individual.evaluated = 1;
        individual.cost = stored_cost(cost);
      }
      state.cost[static_cast<std::size_t>(j)] = cost;
      if (j == 0) {
        best_cost = worst_cost = cost;
        best_record = 0;
      } else {
        if (cost > worst_cost) worst_cost = cost;
        if (cost < best_cost) {
          best_cost = cost;
          best_record = j;
        }
      }
    }
    result.best_cost = best_cost;
    result.best_order = current.record[static_cast<std::size_t>(best_record)].order;

    double fitness_sum = 0.0;
    for (int j = 0; j < population_size; ++j) {
      const double f = fitness_factor * worst_cost - state.cost[static_cast<std::size_t>(j)];
      state.fitness[static_cast<std::size_t>(j)] = f;
      fitness_sum += f;
    }

    write_generation_trace(sink, generation, best_cost, result.best_order, nv);

    if (stall_test_active) {
      if (std::fabs(previous_best - best_cost) > stall_tolerance) {
        stall_counter = 0;
      } else {
        ++stall_counter;
        if (stall_counter >= limits.stall && !increase_done) {
          write_increase_notice(sink);
          permutation = raised_permutation;
          increase_done = true;
          stall_counter = 0;
        } else if (stall_counter >= 2 * limits.stall && increase_done) {
          result.rule = StopRule::Stall;
          write_stop_message(sink, result.rule, limits.stall);
          return result;
        }
      }
    }
    stall_test_active = true;

    double& best_fitness = state.fitness[static_cast<std::size_t>(best_record)];
    if (best_fitness < protected_share * fitness_sum) {
      const double floor = protected_share * fitness_sum;
      fitness_sum += floor - best_fitness;
      best_fitness = floor;
    }

    std::array<double, population_size> share{};
    for (int j = 0; j < population_size; ++j) {
      share[static_cast<std::size_t>(j)] = state.fitness[static_cast<std::size_t>(j)] / fitness_sum;
    }

    PopulationStore& next = state.stores[1 - state.current];
    for (int j = 0; j < population_size; ++j) {
      const double r = random.next();
      double total = 0.0;
      int chosen = population_size - 1;  // reached without adding its share
      for (int k = 0; k < population_size - 1; ++k) {
        total += share[static_cast<std::size_t>(k)];
        if (total >= r) {
          chosen = k;
          break;
        }
      }
      next.record[static_cast<std::size_t>(j)] = current.record[static_cast<std::size_t>(chosen)];
    }
    state.current = 1 - state.current;

    apply_operators(state.stores[state.current], nv, permutation, random);

    if (generation == limits.generations) {
      result.rule = StopRule::Limit;
      write_stop_message(sink, result.rule, limits.stall);
      return result;
    }
  }
}

}  // namespace quintora::optimiser
