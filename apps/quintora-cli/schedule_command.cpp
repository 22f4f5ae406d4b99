// quintora-cli schedule: what "Do it" of the Schedule dialog does, with the
// Schedule command's checks first and no viewer.

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>

#include "base/messages.h"
#include "base/numbers.h"
#include "base/paths.h"
#include "cli_commands.h"
#include "console_window_system.h"
#include "league/league_file.h"
#include "schedule/fairest.h"
#include "schedule/league_check.h"
#include "schedule/schedule_messages.h"
#include "schedule/schedule_options.h"
#include "schedule/schedule_run.h"

namespace quintora::cli {

namespace {

struct ScheduleArguments {
  std::string league_file;
  std::string weeks;  // as typed; empty for the dialog's default
  int effort = 2;
  bool fair = false;
  int variant = 1;
  bool csv = false;
  std::string output = "schedule.txt";
  bool verbose = false;
};

// A whole decimal integer with an optional sign; the value itself is clamped later.
std::string check_weeks(const std::string& text) {
  return base::is_whole_integer(text) ? std::string() : "N must be a whole number";
}

int run_schedule(const ScheduleArguments& args) {
  ConsoleWindowSystem ws(std::cerr);
  std::error_code ec;
  const std::filesystem::path league_path = base::path_from_utf8(args.league_file);
  // The league is large and fixed in size; it lives on the heap, not the stack.
  auto league = std::make_unique<League>();
  base::Notices notices;
  // Read without keeping the file's path: the league's room for a path is the
  // desktop program's, which stores it for the next save, and a league in a
  // deep folder must still be scheduled from here.
  const ReadResult read = read_league_file(*league, args.league_file, ReadMode::Reread, notices);
  base::show(ws, notices);
  if (read == ReadResult::Unreadable) {
    ws.message_box("Cannot open the league file " + args.league_file + ".", base::caption::stop,
                   base::Icon::Error, base::Buttons::Ok);
  }
  if (read != ReadResult::Success) return exit_failed;

  notices.clear();
  if (!schedule::check_schedule_request(*league, notices)) {
    base::show(ws, notices);
    return exit_failed;
  }

  schedule::ScheduleOptions options;
  options.season_weeks = args.weeks.empty() ? schedule::default_season_weeks(league->n_team)
                                            : schedule::convert_weeks_text(args.weeks);
  options.result_file = args.output;
  options.effort = args.effort;
  options.fairest = args.fair;
  options.variant = args.variant;
  options.comma_delimited = args.csv;

  auto run = std::make_unique<schedule::ScheduleRun>();
  run->base_folder = std::filesystem::current_path(ec);
  // Without the league's path the run cannot see that the result would
  // replace the league file, so that is refused here.
  std::error_code same_ec;
  if (std::filesystem::equivalent(league_path, schedule::resolve_result_path(run->base_folder, args.output),
                                  same_ec)) {
    ws.message_box(schedule::message::invalid_file_name, base::caption::stop, base::Icon::Error,
                   base::Buttons::Ok);
    return exit_failed;
  }
  run->optimiser_output = args.verbose ? &std::cout : nullptr;
  run->start_viewer = false;
  const int result = schedule::schedule_run(*league, options, *run, ws);
  schedule::finish_run(result, options, *run, ws);
  if (result != 1) return exit_failed;
  std::cout << "Schedule written to " << base::utf8_of(run->result_path) << '\n';
  return exit_ok;
}

}  // namespace

void add_schedule_command(CLI::App& app, int& status) {
  auto args = std::make_shared<ScheduleArguments>();
  auto* sub =
      app.add_subcommand("schedule", "Schedule a league file, as \"Do it\" in the Schedule dialog does.");
  sub->add_option("league", args->league_file, "The league file (.sch) to schedule")->required();
  sub->add_option("--weeks", args->weeks,
                  "Length of the season in weeks, clamped to 0..200 (default: two passes of the round-robin)")
      ->type_name("N")
      ->check(CLI::Validator(check_weeks, "", "whole number"));
  auto* effort = sub->add_option("--effort", args->effort,
                                 "1 = no optimisation, 2 = optimise, 3 = try harder, 4 = try hardest")
                     ->check(CLI::Range(1, 4))
                     ->capture_default_str();
  auto* fair = sub->add_flag("--fair", args->fair,
                             "Fairest: every bar within its tables, the fewest home/away breaks possible");
  fair->excludes(effort);
  sub->add_option("--variant", args->variant, "With --fair: another schedule of equal quality")
      ->check(CLI::Range(1, schedule::max_variant))
      ->needs(fair)
      ->capture_default_str();
  sub->add_flag("--csv", args->csv, "Write the schedule comma-delimited (for spreadsheets)");
  sub->add_option("--output", args->output, "Result file, relative to the current folder")
      ->capture_default_str();
  sub->add_flag("--verbose", args->verbose, "Show the optimiser's progress lines on standard output");
  sub->callback([args, &status] { status = run_schedule(*args); });
}

}  // namespace quintora::cli
