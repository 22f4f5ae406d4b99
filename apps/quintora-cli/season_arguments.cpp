#include "season_arguments.h"

#include <filesystem>
#include <iostream>
#include <system_error>
#include <utility>

#include "base/messages.h"
#include "base/numbers.h"
#include "base/paths.h"
#include "cli_commands.h"
#include "console_notices.h"
#include "league/league_file.h"
#include "schedule/league_check.h"
#include "schedule/schedule_messages.h"

namespace quintora::cli {

namespace {

// A whole decimal integer with an optional sign; the value itself is clamped later.
std::string check_weeks(const std::string& text) {
  return base::is_whole_integer(text) ? std::string() : "N must be a whole number";
}

}  // namespace

void add_build_options(CLI::App& command, BuildArguments& args, bool with_verbose) {
  command.add_option("league", args.league_file, "The league file (.sch)")->required();
  command
      .add_option("--weeks", args.weeks,
                  "Length of the season in weeks, clamped to 0..200 (default: two passes of the round-robin)")
      ->type_name("N")
      ->check(CLI::Validator(check_weeks, "", "whole number"));
  auto* effort = command
                     .add_option("--effort", args.effort,
                                 "1 = no optimisation, 2 = optimise, 3 = try harder, 4 = try hardest")
                     ->check(CLI::Range(1, 4))
                     ->capture_default_str();
  auto* fair = command.add_flag("--fair", args.fair,
                                "Fairest: every bar within its tables, the fewest home/away breaks possible");
  fair->excludes(effort);
  command.add_option("--variant", args.variant, "With --fair: another schedule of equal quality")
      ->check(CLI::Range(1, schedule::max_variant))
      ->needs(fair)
      ->capture_default_str();
  if (with_verbose) {
    command.add_flag("--verbose", args.verbose, "Show the optimiser's progress lines on standard output");
  }
}

std::unique_ptr<league::League> load_league(const BuildArguments& args) {
  // The league is large and fixed in size; it lives on the heap, not the stack.
  auto league = std::make_unique<league::League>();
  base::Notices notices;
  // Read without keeping the file's path: the league's room for a path is the
  // desktop program's, which stores it for the next save, and a league in a
  // deep folder must still be scheduled from here.
  const league::ReadResult read =
      read_league_file(*league, args.league_file, league::ReadMode::Reread, notices);
  print(std::cerr, notices);
  if (read == league::ReadResult::Unreadable)
    print(std::cerr, {"Cannot open the league file " + args.league_file + "."});
  if (read != league::ReadResult::Success) return nullptr;
  notices.clear();
  if (!schedule::check_schedule_request(*league, notices)) {
    print(std::cerr, notices);
    return nullptr;
  }
  return league;
}

schedule::ScheduleOptions build_options(const BuildArguments& args, const league::League& league) {
  const schedule::ScheduleMethod method =
      args.fair ? schedule::ScheduleMethod{schedule::ScheduleMethod::Kind::Fairest, args.variant}
                : schedule::method_of_effort(args.effort);
  return schedule::options_for(method, args.weeks.empty() ? schedule::default_season_weeks(league)
                                                          : schedule::convert_weeks_text(args.weeks));
}

bool refuse_league_as_result(const BuildArguments& args, std::string_view result_file) {
  std::error_code ec;
  const std::filesystem::path base_folder = std::filesystem::current_path(ec);
  if (!league::is_league_file(base::path_from_utf8(args.league_file),
                              schedule::resolve_result_path(base_folder, result_file))) {
    return false;
  }
  print(std::cerr, {std::string(schedule::message::invalid_file_name)});
  return true;
}

std::unique_ptr<schedule::ScheduleRun> command_line_run(const BuildArguments& args) {
  schedule::RunSettings settings;
  std::error_code ec;
  settings.base_folder = std::filesystem::current_path(ec);
  settings.optimiser_output = args.verbose ? &std::cout : nullptr;
  return std::make_unique<schedule::ScheduleRun>(std::move(settings));
}

}  // namespace quintora::cli
