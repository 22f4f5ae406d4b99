// quintora-cli schedule: what "Do it" of the Schedule dialog does, with the
// Schedule command's checks first and no viewer; and the same season
// published in the formats leagues use, dated by a calendar.

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/date.h"
#include "base/paths.h"
#include "cli_commands.h"
#include "console_notices.h"
#include "league/calendar.h"
#include "publish/publish.h"
#include "schedule/schedule_run.h"
#include "season/season.h"
#include "season_arguments.h"

namespace quintora::cli {

namespace {

struct ScheduleArguments {
  BuildArguments build;
  bool csv = false;
  std::string format = "text";
  std::string output;  // empty: "schedule" with the format's extension
  std::string start;   // the calendar, overriding the league's for this run
  int every = 0;       // 0: not given
  std::string time;
  std::vector<std::string> skip;
  std::string team;
  std::string paper = "a4";
};

// The two formats of the schedule file itself, then the published ones.
bool is_schedule_file(const std::string& format) { return format == "text" || format == "csv"; }

std::string check_format(const std::string& name) {
  if (is_schedule_file(name) || publish::find_format(name) != nullptr) return {};
  std::string known = "text, csv";
  for (const publish::FormatInfo& f : publish::formats()) known += ", " + std::string(f.name);
  return "unknown format " + name + " (one of " + known + ")";
}

std::string check_date(const std::string& text) {
  return base::parse_iso_date(text) ? std::string() : text + " is not a real date written YYYY-MM-DD";
}

std::string check_time(const std::string& text) {
  return base::parse_time(text) ? std::string() : text + " is not a time of the form HH:MM (24-hour)";
}

// A usage error found once the league is read: said on standard error, with
// exit status 2, and no file written.
int usage_error(const std::string& text) {
  std::cerr << "Usage error: " << text << '\n';
  return exit_usage;
}

// The league's calendar with this run's options in its place. Nothing when
// neither gives a first date.
int calendar_for_run(const ScheduleArguments& args, const league::League& league, int weeks,
                     std::optional<league::Calendar>& calendar) {
  calendar = league.calendar;
  const bool any = !args.start.empty() || args.every != 0 || !args.time.empty() || !args.skip.empty();
  if (!any) return exit_ok;
  if (!calendar && args.start.empty()) {
    return usage_error("the league has no calendar: give the first match date with --start YYYY-MM-DD");
  }
  if (!calendar) calendar = league::Calendar{};
  if (!args.start.empty()) calendar->first = *base::parse_iso_date(args.start);
  if (args.every != 0) calendar->every_days = args.every;
  if (!args.time.empty()) calendar->start = *base::parse_time(args.time);
  if (!args.skip.empty()) {
    calendar->n_off = 0;
    for (const std::string& text : args.skip) {
      if (calendar->n_off >= league::max_weeks_off)
        return usage_error("more than " + std::to_string(league::max_weeks_off) +
                           " weeks off are given with --skip");
      if (!calendar->add_week_off(*base::parse_iso_date(text)))
        return usage_error("--skip " + text + " is given twice");
    }
  }
  const league::CalendarCheck check = check_calendar(*calendar, weeks);
  if (check.problem == league::CalendarProblem::None) return exit_ok;
  std::string text = describe(check, *calendar);
  // A new first date or interval can leave the league's own weeks off off the match dates.
  const bool off = check.problem == league::CalendarProblem::OffBeforeFirst ||
                   check.problem == league::CalendarProblem::OffNotMatchDate ||
                   check.problem == league::CalendarProblem::OffBeyondSeason;
  if (off && args.skip.empty() && league.calendar && league.calendar->n_off > 0)
    text += " That week off is the league file's; give this run's weeks off with --skip.";
  return usage_error(text);
}

// A format that dates every match needs a calendar, and no format holds a
// date past its last one (the text schedule shows none).
int check_dates(const publish::FormatInfo* format, const std::string& name,
                const schedule::ScheduleOptions& options) {
  if (format == nullptr) return exit_ok;
  if (format->needs_calendar && !options.calendar)
    return usage_error("the format " + name +
                       " dates every match: the league has no calendar; give --start YYYY-MM-DD");
  if (!options.calendar) return exit_ok;
  const base::Date last = publish::last_date(format->format);
  const std::vector<base::Date> dates = match_dates(*options.calendar, options.season_weeks);
  for (std::size_t week = 0; week < dates.size(); ++week) {
    if (dates[week] > last)
      return usage_error("week " + std::to_string(week + 1) + " falls on " +
                         base::format_iso_date(dates[week]) + ", later than " + base::format_iso_date(last) +
                         ", the last date the format " + name + " can hold");
  }
  return exit_ok;
}

// Turns the season into the chosen format's bytes.
schedule::SeasonRenderer renderer(const publish::FormatInfo& format, int team, publish::Paper paper) {
  return [format, team, paper](const season::Season& season) {
    publish::Options options;
    options.team = team;
    publish::Output out = format.format == publish::Format::Pdf
                              ? publish::printable_pdf_from_module(season, options, paper)
                              : publish::render(season, format.format, options);
    if (out.result != publish::Result::Ok)
      return schedule::Rendered{false, {}, publish::message(out.result, options)};
    return schedule::Rendered{true, std::move(out.bytes), {}};
  };
}

int run_schedule(ScheduleArguments args) {
  if (args.csv) args.format = "csv";
  const std::unique_ptr<league::League> league = load_league(args.build);
  if (!league) return exit_failed;

  schedule::ScheduleOptions options = build_options(args.build, *league);
  options.comma_delimited = args.format == "csv";
  const publish::FormatInfo* format = publish::find_format(args.format);
  options.result_file =
      !args.output.empty() ? args.output : "schedule" + std::string(format ? format->extension : ".txt");
  if (const int status = calendar_for_run(args, *league, options.season_weeks, options.calendar);
      status != exit_ok) {
    return status;
  }

  int team = 0;
  if (!args.team.empty()) {
    if (format == nullptr || !format->per_team) {
      return usage_error("--team is for the formats fixtures-csv, ics, html and pdf, not " + args.format);
    }
    for (int t = 0; t < league->n_team && team == 0; ++t) {
      if (league->team.name[static_cast<std::size_t>(t)].view() == args.team) team = t + 1;
    }
    if (team == 0) team = find_team(*league, args.team) + 1;
    if (team == 0) return usage_error("there is no team " + args.team + " in " + args.build.league_file);
  }
  if (const int status = check_dates(format, args.format, options); status != exit_ok) return status;

  if (refuse_league_as_result(args.build, options.result_file)) return exit_failed;
  auto run = command_line_run(args.build);
  if (format != nullptr) {
    run->settings().render =
        renderer(*format, team, args.paper == "letter" ? publish::Paper::Letter : publish::Paper::A4);
  }
  const schedule::RunResult result = run->write_schedule(*league, options);
  if (!result.ok()) {
    print(std::cerr, *result.failure);
    return exit_failed;
  }
  print(std::cerr, run->notices());
  std::cout << "Schedule written to " << base::utf8_of(run->result_path()) << '\n';
  return exit_ok;
}

}  // namespace

void add_schedule_command(CLI::App& app, int& status) {
  auto args = std::make_shared<ScheduleArguments>();
  auto* sub = app.add_subcommand(
      "schedule", "Schedule a league file, as \"Do it\" in the Schedule dialog does, or publish its season.");
  add_build_options(*sub, args->build, true);
  auto* format =
      sub->add_option("--format", args->format, "text, csv, fixtures-csv, upload-csv, ics, xlsx, html or pdf")
          ->check(CLI::Validator(check_format, "", "FORMAT"))
          ->capture_default_str();
  sub->add_flag("--csv", args->csv, "The same as --format csv: the schedule comma-delimited")
      ->excludes(format);
  sub->add_option("--output", args->output,
                  "Result file, relative to the current folder (default: schedule with the format's "
                  "extension; schedule.txt for text and csv)")
      ->type_name("FILE");
  sub->add_option("--start", args->start, "First match date (overrides the league's calendar for this run)")
      ->check(CLI::Validator(check_date, "", "DATE"))
      ->type_name("YYYY-MM-DD");
  sub->add_option("--every", args->every,
                  "Days between match weeks, 1 to 365 (default: the league's, else 7)")
      ->check(CLI::Range(1, league::max_every_days))
      ->type_name("DAYS");
  sub->add_option("--time", args->time,
                  "Start time of the matches, 24-hour (default: the league's, else 20:00)")
      ->check(CLI::Validator(check_time, "", "TIME"))
      ->type_name("HH:MM");
  sub->add_option("--skip", args->skip,
                  "A week off: a match date on which no matches are played; it and every later week move "
                  "on by one interval (repeatable; replaces the league's weeks off)")
      ->check(CLI::Validator(check_date, "", "DATE"))
      ->type_name("YYYY-MM-DD")
      ->allow_extra_args(false);
  sub->add_option("--team", args->team, "Only this team's fixtures (fixtures-csv, ics, html, pdf)")
      ->type_name("NAME");
  sub->add_option("--paper", args->paper, "Paper size of a PDF: a4 or letter")
      ->check(CLI::IsMember({"a4", "letter"}))
      ->capture_default_str();
  sub->callback([args, &status] { status = run_schedule(*args); });
}

}  // namespace quintora::cli
