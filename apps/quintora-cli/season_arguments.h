#pragma once
// What the subcommands that build a season share: the league file, the
// season's length and how it is built, read and checked as "Do it" in the
// Schedule dialog does, so that `schedule` and `report` see the same season.

#include <CLI/CLI.hpp>
#include <memory>
#include <string>
#include <string_view>

#include "league/league.h"
#include "schedule/schedule_options.h"
#include "schedule/schedule_run.h"

namespace quintora::cli {

struct BuildArguments {
  std::string league_file;
  std::string weeks;  // as typed; empty for the dialog's default
  int effort = 2;
  bool fair = false;
  int variant = 1;
  bool verbose = false;
};

// Adds LEAGUE, --weeks, --effort, --fair and --variant (--verbose with `with_verbose`).
void add_build_options(CLI::App& command, BuildArguments& args, bool with_verbose);

// Reads the league file and makes the Schedule command's checks; refusals
// go to standard error. Null on failure. The league keeps no file path.
std::unique_ptr<league::League> load_league(const BuildArguments& args);

// The run's options from the arguments (the calendar is the league's).
schedule::ScheduleOptions build_options(const BuildArguments& args, const league::League& league);

// True, after saying so on standard error, when the result named (relative
// to the current folder) would replace the league file: the league keeps no
// path, so the run cannot see that itself.
bool refuse_league_as_result(const BuildArguments& args, std::string_view result_file);

// A run set up for the command line: relative names against the current
// folder, no viewer, the optimiser's lines only when asked for.
std::unique_ptr<schedule::ScheduleRun> command_line_run(const BuildArguments& args);

}  // namespace quintora::cli
