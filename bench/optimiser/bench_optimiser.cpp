// Speed of the alternation cost at the largest league (100 teams with the
// dummy, 99 rounds) and of a whole effort-4 run on it, files included.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <streambuf>
#include <string>
#include <vector>

#include "optimiser/cost.h"
#include "optimiser/exchange_files.h"
#include "optimiser/file_names.h"
#include "optimiser/operators.h"
#include "optimiser/random.h"
#include "optimiser/zorav.h"

namespace {

using namespace quintora::optimiser;

// A single round-robin by the circle method, as "optimal.inp" text; an odd
// team count leaves the dummy's pairings out.
std::string round_robin_text(int real_teams) {
  const int n = real_teams % 2 == 0 ? real_teams : real_teams + 1;
  const bool odd = n != real_teams;
  std::string text = std::to_string(n) + "  " + std::to_string(n - 1) + "  " +
                     std::to_string(odd ? n / 2 - 1 : n / 2) + "  " + (odd ? "2" : "1") + "\n";
  for (int r = 0; r < n - 1; ++r) {
    for (int i = 0; i < n / 2; ++i) {
      int a = i == 0 ? n : (r + i) % (n - 1) + 1;
      int b = i == 0 ? r + 1 : (r - i + (n - 1)) % (n - 1) + 1;
      if (odd && (a == n || b == n)) continue;
      if ((r + i) % 2 == 1) std::swap(a, b);  // vary the sides
      text += std::to_string(a) + " " + std::to_string(b) + "  ";
    }
    text += "\n";
  }
  return text;
}

PairingTable largest_table(int real_teams) {
  const InputReadResult in = read_pairing_table(round_robin_text(real_teams));
  if (in.status != InputStatus::Ok) std::abort();
  return in.table;
}

std::vector<RoundSequence> some_orders(int nv) {
  UniformRandom random;
  std::vector<RoundSequence> orders;
  for (int i = 0; i < 64; ++i) orders.push_back(random_order(nv, random));
  return orders;
}

void evaluations_per_second(benchmark::State& state) {
  state.counters["evaluations"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// real_teams 100: even league; 99: odd league (byes, dummy not counted).
void BM_EvaluateOrder(benchmark::State& state) {
  const PairingTable table = largest_table(static_cast<int>(state.range(0)));
  const std::vector<RoundSequence> orders = some_orders(table.nv);
  CostWorkspace work;
  TeamCounts counts{};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(evaluate_order(orders[i++ & 63], table, work, counts));
  }
  evaluations_per_second(state);
}
BENCHMARK(BM_EvaluateOrder)->Arg(100)->Arg(99);

// The plain statement of the rule, through the mark table: the yardstick.
void BM_EvaluateOrderReference(benchmark::State& state) {
  const PairingTable table = largest_table(static_cast<int>(state.range(0)));
  const std::vector<RoundSequence> orders = some_orders(table.nv);
  MarkTable marks;
  TeamCounts counts{};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(evaluate_order_reference(orders[i++ & 63], table, marks, counts));
  }
  evaluations_per_second(state);
}
BENCHMARK(BM_EvaluateOrderReference)->Arg(100)->Arg(99);

// Standard output of the run goes nowhere; the files are written as usual.
class DiscardBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void BM_WholeRunEffort4(benchmark::State& state) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / "quintora_bench_optimiser";
  fs::create_directories(folder);
  std::ofstream(folder / quintora::optimiser::file::input)
      << round_robin_text(static_cast<int>(state.range(0)));
  DiscardBuffer discard;
  std::ostream out(&discard);
  long evaluations = 0;
  for (auto _ : state) {
    const ZoravResult result = ZORAV(folder, 4, out);
    if (result.status != ZoravStatus::Ok) {
      state.SkipWithError(result.message.c_str());
      break;
    }
    evaluations += result.evaluations;
  }
  state.counters["evaluations"] =
      benchmark::Counter(static_cast<double>(evaluations), benchmark::Counter::kIsRate);
  state.counters["per_run"] =
      benchmark::Counter(static_cast<double>(evaluations), benchmark::Counter::kAvgIterations);
  fs::remove_all(folder);
}
BENCHMARK(BM_WholeRunEffort4)->Arg(100)->Arg(99)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
