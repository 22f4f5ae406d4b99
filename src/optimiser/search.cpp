#include "optimiser/search.h"

#include <cmath>

#include "base/index.h"
#include "optimiser/cost.h"
#include "optimiser/operators.h"
#include "optimiser/population.h"
#include "optimiser/random.h"

namespace quintora::optimiser {

SearchLimits limits_for_effort(int effort) {
  switch (effort) {
    case 3:
      return {100, 10};
    case 4:
      return {500, 50};
    default:
      return {50, 5};
  }
}

namespace {

using base::at;

constexpr double target_cost = 0.0;
// Held in single precision, as it always was; compared in double.
constexpr double stall_tolerance = static_cast<double>(0.0001f);
// The worst order keeps a small positive share of the wheel.
constexpr double fitness_factor = 1.0000002;
// The best order always gets at least this share of the fitness sum.
constexpr double protected_share = 0.1;
constexpr double initial_permutation = 0.3;
constexpr double raised_permutation = 0.6;

// One run of the search, step by step; each generation evaluates, scores,
// tests the stopping rules, selects and varies, in that order.
class Search {
 public:
  Search(const PairingTable& table, int effort, ReportSink& sink)
      : table_(table), limits_(limits_for_effort(effort)), sink_(sink) {}

  SearchResult run() {
    seed_population();
    for (;;) {
      ++generation_;
      if (stall_test_active_) previous_best_ = best_cost_;
      if (evaluate_generation()) return stop(StopRule::Target);
      score_generation();
      write_generation_trace(sink_, generation_, best_cost_, result_.best_order, table_.nv);
      if (stalled()) return stop(StopRule::Stall);
      stall_test_active_ = true;
      protect_best();
      select_next_generation();
      apply_operators(stores_[current_], table_.nv, permutation_, random_);
      if (generation_ == limits_.generations) return stop(StopRule::Limit);
    }
  }

 private:
  void seed_population() {
    for (Individual& individual : stores_[0].record) {
      individual.evaluated = 0;
      individual.cost = 0.0;
      individual.order = random_order(table_.nv, random_);
    }
  }

  SearchResult stop(StopRule rule) {
    result_.rule = rule;
    write_stop_message(sink_, rule, limits_.stall);
    return result_;
  }

  // Costs every member that has none yet and finds the best and the worst.
  // True when a member reached the target cost: it is then the result.
  bool evaluate_generation() {
    PopulationStore& current = stores_[current_];
    worst_cost_ = 0.0;
    best_record_ = 0;
    for (int j = 0; j < population_size; ++j) {
      Individual& individual = current.record[at(j)];
      double cost = individual.cost;
      if (individual.evaluated == 0) {
        cost = evaluate_order(individual.order, table_, work_, counts_);
        ++result_.evaluations;
        if (cost <= target_cost) {
          result_.best_cost = cost;
          result_.best_order = individual.order;
          return true;
        }
        // The record keeps the cost as its text form reads back; this
        // generation goes on with the exact value.
        individual.evaluated = 1;
        individual.cost = stored_cost(cost);
      }
      cost_[at(j)] = cost;
      if (j == 0) {
        best_cost_ = worst_cost_ = cost;
      } else {
        if (cost > worst_cost_) worst_cost_ = cost;
        if (cost < best_cost_) {
          best_cost_ = cost;
          best_record_ = j;
        }
      }
    }
    result_.best_cost = best_cost_;
    result_.best_order = current.record[at(best_record_)].order;
    return false;
  }

  void score_generation() {
    fitness_sum_ = 0.0;
    for (int j = 0; j < population_size; ++j) {
      const double f = fitness_factor * worst_cost_ - cost_[at(j)];
      fitness_[at(j)] = f;
      fitness_sum_ += f;
    }
  }

  // After L unchanged generations the permutation factor is raised once;
  // after 2L more the search stops.
  bool stalled() {
    if (!stall_test_active_) return false;
    if (std::fabs(previous_best_ - best_cost_) > stall_tolerance) {
      stall_counter_ = 0;
      return false;
    }
    ++stall_counter_;
    if (stall_counter_ >= limits_.stall && !increase_done_) {
      write_increase_notice(sink_);
      permutation_ = raised_permutation;
      increase_done_ = true;
      stall_counter_ = 0;
      return false;
    }
    return stall_counter_ >= 2 * limits_.stall && increase_done_;
  }

  void protect_best() {
    double& best_fitness = fitness_[at(best_record_)];
    const double floor = protected_share * fitness_sum_;
    if (best_fitness < floor) {
      fitness_sum_ += floor - best_fitness;
      best_fitness = floor;
    }
  }

  // Roulette-wheel selection into the other store, which then becomes current.
  void select_next_generation() {
    std::array<double, population_size> share{};
    for (int j = 0; j < population_size; ++j) share[at(j)] = fitness_[at(j)] / fitness_sum_;
    const PopulationStore& current = stores_[current_];
    PopulationStore& next = stores_[1 - current_];
    for (int j = 0; j < population_size; ++j) {
      const double r = random_.next();
      double total = 0.0;
      int chosen = population_size - 1;  // reached without adding its share
      for (int k = 0; k < population_size - 1; ++k) {
        total += share[at(k)];
        if (total >= r) {
          chosen = k;
          break;
        }
      }
      next.record[at(j)] = current.record[at(chosen)];
    }
    current_ = 1 - current_;
  }

  const PairingTable& table_;
  const SearchLimits limits_;
  ReportSink& sink_;
  SearchResult result_;
  UniformRandom random_;  // from the seed, as every run
  double permutation_ = initial_permutation;

  PopulationStore stores_[2];
  int current_ = 0;
  std::array<double, population_size> cost_{};
  std::array<double, population_size> fitness_{};
  CostWorkspace work_;
  TeamCounts counts_{};

  long generation_ = 0;
  int stall_counter_ = 0;
  bool increase_done_ = false;
  bool stall_test_active_ = false;
  double best_cost_ = 0.0;
  double previous_best_ = 0.0;
  double worst_cost_ = 0.0;
  double fitness_sum_ = 0.0;
  int best_record_ = 0;
};

}  // namespace

SearchResult run_search(const PairingTable& table, int effort, ReportSink& sink) {
  Search search(table, effort, sink);  // fixed tables, about 25 kB
  return search.run();
}

}  // namespace quintora::optimiser
