#pragma once
// One schedule run: pairing table, balancing, the optimiser when asked for,
// and the finished schedule file; then finish_run clears the work files and
// shows the result.

#include <filesystem>
#include <ostream>

#include "league/league.h"
#include "optimiser/zorav.h"
#include "schedule/balancing.h"
#include "schedule/bar_limits.h"
#include "schedule/round_table.h"
#include "schedule/schedule_command.h"
#include "schedule/work_folder.h"
#include "ui/window_system.h"

namespace quintora::schedule {

// The caller's settings and the run's own state, which lives from
// schedule_run to finish_run. Every table is of fixed size.
struct ScheduleRun {
  // Set by the caller.
  std::filesystem::path base_folder;         // a relative result name is taken against it
  std::ostream* optimiser_output = nullptr;  // the optimiser's progress lines; nullptr drops them
  bool start_viewer = true;                  // the command line shows no viewer
  // The round-order search; tests put a scripted one in its place.
  optimiser::ZoravResult (*search)(const std::filesystem::path&, int, std::ostream&) = optimiser::ZORAV;

  // Filled by the run.
  std::filesystem::path result_path;  // the result's full path
  WorkFolder work;
  long evaluations = 0;  // the optimiser's cost evaluations
  RoundTable table;
  BarLimits limits;
  BalanceState balance_state;
  RoundOrder order;
};

// The full path a result name denotes: a relative name is taken against
// base_folder. An empty name stays empty.
std::filesystem::path resolve_result_path(const std::filesystem::path& base_folder, std::string_view name);

// Builds and writes the schedule of `league`, which it never changes.
// Returns 1 on success and -1 on failure, after showing why.
int schedule_run(const League& league, const ScheduleOptions& options, ScheduleRun& run, ui::WindowSystem& ws);

// Removes the work files and their folder; after a successful run (result 1)
// shows the result file in the chosen viewer.
void finish_run(int result, const ScheduleOptions& options, ScheduleRun& run, ui::WindowSystem& ws);

}  // namespace quintora::schedule
