#pragma once
// One schedule run: pairing table, balancing, the optimiser when asked for,
// and the finished schedule file. The run shows nothing: it hands back why
// it failed, and its caller decides where that appears. The files it
// exchanges with the optimiser live in a private work folder that is gone
// by the time the run returns.

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "base/messages.h"
#include "league/league.h"
#include "schedule/balancing.h"
#include "schedule/bar_limits.h"
#include "schedule/divisions.h"
#include "schedule/fairest_search.h"
#include "schedule/round_table.h"
#include "schedule/schedule_options.h"
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

// The caller's settings of a run.
struct RunSettings {
  std::filesystem::path base_folder;         // a relative result name is taken against it
  std::ostream* optimiser_output = nullptr;  // the optimiser's progress lines; nullptr drops them
  RoundOrderSearch search = run_optimiser;   // tests put a scripted one in its place
  // The result file's format; unset, the schedule text (plain or comma-delimited).
  SeasonRenderer render;
  // Fairest's search with divisions or unavailable dates reports its progress
  // here and stops when the flag is set (a window's progress bar and Cancel).
  SearchControl control;
};

// How a run ended: done, or the one notice ("Stop !") that says why not.
struct RunResult {
  std::optional<base::Notice> failure;
  bool ok() const { return !failure; }
};

// The full path a result name denotes: a relative name is taken against
// base_folder. An empty name stays empty.
std::filesystem::path resolve_result_path(const std::filesystem::path& base_folder, std::string_view name);

// A run and what it made. Its tables are of fixed size and large: keep it
// on the heap.
class ScheduleRun {
 public:
  explicit ScheduleRun(RunSettings settings = {}) : settings_(std::move(settings)) {}
  ScheduleRun(const ScheduleRun&) = delete;
  ScheduleRun& operator=(const ScheduleRun&) = delete;

  RunSettings& settings() { return settings_; }

  // Builds the season of `league` (which it never changes) and writes no file.
  RunResult build_season(const league::League& league, const ScheduleOptions& options);
  // Builds the season and writes the result file. A result name that would
  // replace the league's own file is refused before the optimiser starts.
  RunResult write_schedule(const league::League& league, const ScheduleOptions& options);

  // What the last successful run made.
  const season::Season& season() const { return season_; }
  season::Season take_season() { return std::move(season_); }
  const RoundOrder& round_order() const { return order_; }
  const std::filesystem::path& result_path() const { return result_path_; }  // in full
  long evaluations() const { return evaluations_; }  // the optimiser's cost evaluations
  // Warnings of the last run that did not stop it: unavailable dates that are
  // no match dates, and what Fairest could not keep.
  const base::Notices& notices() const { return notices_; }

 private:
  RunResult start(const league::League& league, const ScheduleOptions& options);
  RunResult build_rounds(const league::League& league, const ScheduleOptions& options);
  RunResult build_division_rounds(const league::League& league, const ScheduleOptions& options);
  RunResult search_order(const ScheduleOptions& options, RoundTable& table, RoundOrder& order);
  RunResult fill_season(const league::League& league, const ScheduleOptions& options);

  RunSettings settings_;
  std::filesystem::path result_path_;
  long evaluations_ = 0;
  RoundTable table_;
  BarLimits limits_;
  BalanceState balance_state_;
  RoundOrder order_;
  season::Season season_;
  std::vector<DivisionPart> parts_;  // with divisions, or Fairest with dates; else empty
  std::vector<UnavailableWeek> unavailable_;
  base::Notices notices_;
};

}  // namespace quintora::schedule
