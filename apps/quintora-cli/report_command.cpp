// quintora-cli report: the season built exactly as `schedule` builds it, but
// written nowhere; what is printed is how fair it is.

#include <iostream>
#include <memory>
#include <string>

#include "cli_commands.h"
#include "console_notices.h"
#include "report/fairness.h"
#include "schedule/schedule_run.h"
#include "season_arguments.h"

namespace quintora::cli {

namespace {

struct ReportArguments {
  BuildArguments build;
  bool json = false;
  std::string division;
};

int run_report(const ReportArguments& args) {
  const std::unique_ptr<league::League> league = load_league(args.build);
  if (!league) return exit_failed;

  const schedule::ScheduleOptions options = build_options(args.build, *league);
  auto run = command_line_run(args.build);
  const schedule::RunResult result = run->build_season(*league, options);
  if (!result.ok()) {
    print(std::cerr, *result.failure);
    return exit_failed;
  }

  print(std::cerr, run->notices());
  report::Fairness fairness = report::assess(run->season());
  if (!args.division.empty()) {
    const int division = season::find_division(run->season(), args.division);
    if (division == 0) {
      std::cerr << "Usage error: there is no division " << args.division << " in " << args.build.league_file
                << '\n';
      return exit_usage;
    }
    fairness = report::only_division(fairness, division);
  }
  std::cout << (args.json ? report::as_json(fairness) : report::as_text(fairness));
  std::cout.flush();
  // A closed pipe or a full disk must not pass for a report.
  if (!std::cout) {
    std::cerr << "Cannot write the report to standard output.\n";
    return exit_failed;
  }
  return exit_ok;
}

}  // namespace

void add_report_command(CLI::App& app, int& status) {
  auto args = std::make_shared<ReportArguments>();
  auto* sub = app.add_subcommand(
      "report",
      "Build the season as `schedule` does, write no file, and show how fair it is: home and "
      "away games, byes and breaks per team, the busiest week of each bar.");
  add_build_options(*sub, args->build, false);
  sub->add_flag("--json", args->json, "One JSON object in place of the text tables");
  sub->add_option("--division", args->division,
                  "Only this division's teams and breaks (letter case ignored)");
  sub->callback([args, &status] { status = run_report(*args); });
}

}  // namespace quintora::cli
