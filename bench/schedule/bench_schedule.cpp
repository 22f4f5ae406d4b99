// Whole schedule runs on the largest league: table, balancing, the work
// folder, the optimiser at each effort and the result file; and the Fairest
// table with the season text it plays.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "schedule/balancing.h"
#include "schedule/fairest.h"
#include "schedule/schedule_run.h"
#include "schedule/schedule_writer.h"
#include "schedule/season_builder.h"

namespace {

using namespace quintora;

// 99 teams in 33 bars of three, two tables each: the largest league, with
// enough home clashes to keep the balancing busy.
std::unique_ptr<league::League> largest_league() {
  auto league = std::make_unique<league::League>();
  league->stored_title.assign("Benchmark League");
  for (int b = 0; b < 33; ++b) {
    const auto p = static_cast<std::size_t>(b);
    league->bar.number[p] = b + 1;
    league->bar.name[p].assign("Bar " + std::to_string(b + 1));
    league->bar.n_team_this_bar[p] = 3;
    league->bar.n_table_this_bar[p] = 2;
    for (int k = 0; k < 3; ++k) {
      const auto t = static_cast<std::size_t>(3 * b + k);
      league->team.bar_number[t] = b + 1;
      league->team.name[t].assign("Team " + std::to_string(3 * b + k + 1));
    }
  }
  league->n_bar = league->n_bar_slot = 33;
  league->n_team = league->n_team_slot = 99;
  return league;
}

void BM_ScheduleRun(benchmark::State& state) {
  const auto league = largest_league();
  const auto folder = std::filesystem::temp_directory_path() / "quintora-bench-schedule";
  std::filesystem::create_directories(folder);
  const schedule::ScheduleOptions options =
      schedule::options_for(schedule::method_of_effort(static_cast<int>(state.range(0))), 200);
  schedule::RunSettings settings;
  settings.base_folder = folder;
  auto run = std::make_unique<schedule::ScheduleRun>(std::move(settings));
  for (auto _ : state) {
    if (!run->write_schedule(*league, options).ok()) {
      state.SkipWithError("the run failed");
      break;
    }
  }
  state.counters["evaluations"] = static_cast<double>(run->evaluations());
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ScheduleRun)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

void BM_BuildAndBalance(benchmark::State& state) {
  const auto league = largest_league();
  // The run's own tables, too large for the stack.
  struct Tables {
    schedule::RoundTable table;
    schedule::BarLimits limits;
    schedule::BalanceState balance_state;
  };
  auto run = std::make_unique<Tables>();
  for (auto _ : state) {
    schedule::build_round_table(run->table, league->n_team);
    schedule::compute_bar_limits(*league, run->limits);
    schedule::balance(run->table, *league, run->limits, run->balance_state);
    benchmark::DoNotOptimize(run->table.A[1][1]);
  }
  state.counters["exchanges"] = run->balance_state.exchanges;
}
BENCHMARK(BM_BuildAndBalance)->Unit(benchmark::kMicrosecond);

// The Fairest table and the whole file text of a 200-week season for 99
// teams (the largest league above) and for 100 (one team more in the last
// bar, whose two tables still suffice).
void BM_FairestSeason(benchmark::State& state) {
  const auto league = largest_league();
  if (state.range(0) == 100) {
    league->team.bar_number[99] = 33;
    league->team.name[99].assign("Team 100");
    league->bar.n_team_this_bar[32] = 4;
    league->n_team = league->n_team_slot = 100;
  }
  auto table = std::make_unique<schedule::RoundTable>();
  std::string text;
  for (auto _ : state) {
    schedule::build_fairest_table(*table, *league, 1);
    text = schedule::schedule_text(
        schedule::build_season(*league, *table, schedule::table_order(table->nweek), 200, {}), false);
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_FairestSeason)->Arg(99)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_FairestTable(benchmark::State& state) {
  const auto league = largest_league();
  auto table = std::make_unique<schedule::RoundTable>();
  for (auto _ : state) {
    schedule::build_fairest_table(*table, *league, static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(table->A[1][1]);
  }
}
BENCHMARK(BM_FairestTable)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
