#pragma once
// One schedule run: pairing table, balancing, the optimiser when asked for,
// and the finished schedule file; then finish_run clears the work files and
// shows the result.

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include "base/window_system.h"
#include "league/league.h"
#include "schedule/balancing.h"
#include "schedule/bar_limits.h"
#include "schedule/round_table.h"
#include "schedule/schedule_options.h"
#include "schedule/work_folder.h"
#include "season/season.h"

namespace quintora::schedule {

// What the round-order search reports back, besides its files.
struct SearchOutcome {
  bool ok = true;
  std::string message;  // why it stopped, when it failed
  long evaluations = 0;
};

// Searches a round order for the table in folder's "optimal.inp" and leaves
// it in "optimal.out"; progress lines go to `out`.
using RoundOrderSearch = SearchOutcome (*)(const std::filesystem::path& folder, int effort,
                                           std::ostream& out);

// The optimiser itself.
SearchOutcome run_optimiser(const std::filesystem::path& folder, int effort, std::ostream& out);

// A season turned into the bytes of a file; on failure, why.
struct Rendered {
  bool ok = true;
  std::string bytes;
  std::string message;
};
using SeasonRenderer = std::function<Rendered(const season::Season&)>;

// The caller's settings and the run's own state, which lives from
// schedule_run to finish_run. Every table is of fixed size.
struct ScheduleRun {
  // Set by the caller.
  std::filesystem::path base_folder;         // a relative result name is taken against it
  std::ostream* optimiser_output = nullptr;  // the optimiser's progress lines; nullptr drops them
  bool start_viewer = true;                  // the command line shows no viewer
  RoundOrderSearch search = run_optimiser;   // tests put a scripted one in its place
  // The result file's format; unset, the schedule text (plain or comma-delimited).
  SeasonRenderer render;

  // Filled by the run.
  std::filesystem::path result_path;  // the result's full path
  WorkFolder work;
  long evaluations = 0;  // the optimiser's cost evaluations
  RoundTable table;
  BarLimits limits;
  BalanceState balance_state;
  RoundOrder order;
  season::Season season;  // what the result file holds
};

// The full path a result name denotes: a relative name is taken against
// base_folder. An empty name stays empty.
std::filesystem::path resolve_result_path(const std::filesystem::path& base_folder, std::string_view name);

// Builds the season of `league` (which it never changes) into run.season,
// with the optimiser when asked for, and writes no file. Returns 1 on
// success and -1 on failure, after showing why.
int build_season(const League& league, const ScheduleOptions& options, ScheduleRun& run,
                 base::WindowSystem& ws);

// Builds the season and writes the result file. Returns 1 on success and -1
// on failure, after showing why.
int schedule_run(const League& league, const ScheduleOptions& options, ScheduleRun& run,
                 base::WindowSystem& ws);

// Removes the work files and their folder; after a successful run (result 1)
// shows the result file in the chosen viewer.
void finish_run(int result, const ScheduleOptions& options, ScheduleRun& run, base::WindowSystem& ws);

}  // namespace quintora::schedule
