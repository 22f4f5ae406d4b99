// Whole schedule runs on the largest league: table, balancing, the work
// folder, the optimiser at each effort and the result file.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

#include "schedule/balancing.h"
#include "schedule/schedule_run.h"

namespace {

using namespace quintora;

// Answers every box silently; a benchmark has no screen.
class SilentWindowSystem final : public ui::WindowSystem {
 public:
  void set_event_sink(ui::EventSink*) override {}
  ui::Answer message_box(std::string_view, std::string_view, ui::Icon, ui::Buttons) override {
    ++boxes;
    return ui::Answer::Ok;
  }
  void list_append(int, std::string_view, int) override {}
  void list_insert(int, int, std::string_view, int) override {}
  void list_delete(int, int) override {}
  void list_clear(int) override {}
  int list_count(int) const override { return 0; }
  int list_selected(int) const override { return -1; }
  std::string list_text(int, int) const override { return {}; }
  int list_tag(int, int) const override { return -1; }
  void list_select(int, int) override {}
  void set_text(int, std::string_view) override {}
  std::string get_text(int, std::size_t) const override { return {}; }
  void set_checked(int, bool) override {}
  bool is_checked(int) const override { return false; }
  int run_dialog(ui::DialogId, ui::DialogHandler&) override { return 0; }
  std::optional<std::string> choose_file(const ui::FileDialogRequest&) override { return std::nullopt; }
  bool start_program(std::string_view, const std::vector<std::string>&) override { return false; }
  bool open_with_default_application(std::string_view) override { return false; }
  int boxes = 0;
};

// 99 teams in 33 bars of three, two tables each: the largest league, with
// enough home clashes to keep the balancing busy.
std::unique_ptr<League> largest_league() {
  auto league = std::make_unique<League>();
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
  schedule::ScheduleOptions options;
  options.effort = static_cast<int>(state.range(0));
  options.season_weeks = 200;
  options.result_file = "schedule.txt";
  SilentWindowSystem ws;
  auto run = std::make_unique<schedule::ScheduleRun>();
  run->base_folder = folder;
  run->start_viewer = false;
  for (auto _ : state) {
    const int result = schedule::schedule_run(*league, options, *run, ws);
    schedule::finish_run(result, options, *run, ws);
    if (result != 1) {
      state.SkipWithError("the run failed");
      break;
    }
  }
  state.counters["evaluations"] = static_cast<double>(run->evaluations);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ScheduleRun)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

void BM_BuildAndBalance(benchmark::State& state) {
  const auto league = largest_league();
  auto run = std::make_unique<schedule::ScheduleRun>();
  for (auto _ : state) {
    schedule::build_round_table(run->table, league->n_team);
    schedule::compute_bar_limits(*league, run->limits);
    schedule::balance(run->table, *league, run->limits, run->balance_state);
    benchmark::DoNotOptimize(run->table.A[1][1]);
  }
  state.counters["exchanges"] = run->balance_state.exchanges;
}
BENCHMARK(BM_BuildAndBalance)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
