#pragma once
// The genetic search over round orders: 50 orders, roulette-wheel selection
// on a fitness derived from the cost, variation by the four operators only,
// and three stopping rules (cost 0, a stalled best cost, a generation limit).

#include "optimiser/report.h"
#include "optimiser/tables.h"

namespace quintora::optimiser {

struct SearchLimits {
  int generations = 50;  // generation limit
  int stall = 5;         // L: raise the permutation factor after L unchanged
                         // generations, stop after 2L more
};

// Effort 3 and 4 search longer; any other value behaves as 2.
SearchLimits limits_for_effort(int effort);

struct SearchResult {
  StopRule rule = StopRule::Limit;
  double best_cost = 0.0;  // best of the last generation (not of the run)
  RoundSequence best_order;
  long evaluations = 0;
};

// Runs the search on a table as read_pairing_table accepts it, writing the
// trace, the increase notice and the stop message to `sink`.
SearchResult run_search(const PairingTable& table, int effort, ReportSink& sink);

}  // namespace quintora::optimiser
