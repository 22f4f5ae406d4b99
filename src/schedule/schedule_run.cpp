#include "schedule/schedule_run.h"

#include <algorithm>
#include <streambuf>
#include <string>
#include <system_error>

#include "base/atomic_file.h"
#include "base/messages.h"
#include "base/paths.h"
#include "optimiser/file_names.h"
#include "optimiser/zorav.h"
#include "schedule/fairest.h"
#include "schedule/league_check.h"
#include "schedule/optimiser_exchange.h"
#include "schedule/result_viewer.h"
#include "schedule/schedule_messages.h"
#include "schedule/schedule_writer.h"
#include "schedule/season_builder.h"

namespace quintora::schedule {

namespace {

class DiscardBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char_type*, std::streamsize n) override { return n; }
};

int refuse(base::WindowSystem& ws, std::string_view text) {
  ws.message_box(text, base::caption::stop, base::Icon::Error, base::Buttons::Ok);
  return -1;
}

std::string display(const std::filesystem::path& path) { return base::utf8_of(path); }

std::string cannot_write(const std::filesystem::path& path, base::WriteStatus status) {
  return "Cannot write the schedule file " + display(path) + ". " + std::string(base::describe(status));
}

// The open league file must never be overwritten by its own schedule.
bool is_league_file(const League& league, const std::filesystem::path& result) {
  if (league.file_state != FileState::Saved && league.file_state != FileState::Modified) return false;
  if (league.current_file_path.empty()) return false;
  const std::filesystem::path league_path = base::path_from_utf8(league.current_file_path.view());
  std::error_code ec;
  if (std::filesystem::equivalent(result, league_path, ec) && !ec) return true;
  std::error_code ec1;
  std::error_code ec2;
  const auto a = std::filesystem::weakly_canonical(result, ec1);
  const auto b = std::filesystem::weakly_canonical(std::filesystem::absolute(league_path, ec2), ec2);
  return !ec1 && !ec2 && a == b;
}

std::string optimiser_failure(const SearchOutcome& result) {
  std::string text = "The optimiser stopped";
  if (!result.message.empty()) {
    text += ": ";
    text += result.message;
  }
  return text + ".";
}

}  // namespace

SearchOutcome run_optimiser(const std::filesystem::path& folder, int effort, std::ostream& out) {
  const optimiser::ZoravResult result = optimiser::ZORAV(folder, effort, out);
  return {result.status == optimiser::ZoravStatus::Ok, result.message, result.evaluations};
}

std::filesystem::path resolve_result_path(const std::filesystem::path& base_folder, std::string_view name) {
  if (name.empty()) return {};
  std::filesystem::path path = base::path_from_utf8(name);
  if (path.is_relative()) path = base_folder / path;
  std::error_code ec;
  auto absolute = std::filesystem::absolute(path, ec);
  return ec ? path.lexically_normal() : absolute.lexically_normal();
}

namespace {

// The pairing table, balanced or Fairest, and the order of its rounds.
int build_rounds(const League& league, const ScheduleOptions& options, ScheduleRun& run,
                 base::WindowSystem& ws) {
  compute_bar_limits(league, run.limits);
  if (options.fairest) {
    // Fairest keeps every bar within its tables only where the table check holds.
    base::Notices refusal;
    if (check_table_capacity(league, refusal) != 1) return refuse(ws, refusal.front().text);
    build_fairest_table(run.table, league, options.variant);
  } else {
    build_round_table(run.table, league.n_team);
    balance(run.table, league, run.limits, run.balance_state);
  }
  run.order = table_order(run.table.nweek);
  return 1;
}

// The round order from the optimiser, which reads the table from its work folder.
int search_order(const ScheduleOptions& options, ScheduleRun& run, base::WindowSystem& ws) {
  if (!run.work.create()) return refuse(ws, "Cannot make a work folder for the optimiser.");
  const auto input = run.work.file(optimiser::file::input);
  if (write_optimiser_input(input, run.table) != ExchangeResult::Ok) {
    return refuse(ws, "Cannot write the optimiser's input file " + display(input) + ".");
  }
  DiscardBuffer discard_buffer;
  std::ostream discard(&discard_buffer);
  const auto outcome =
      run.search(run.work.path(), options.effort, run.optimiser_output ? *run.optimiser_output : discard);
  run.evaluations = outcome.evaluations;
  if (!outcome.ok) return refuse(ws, optimiser_failure(outcome));
  const auto output = run.work.file(optimiser::file::order);
  switch (read_round_order(output, run.table.nweek, run.order)) {
    case ExchangeResult::Ok:
      return 1;
    case ExchangeResult::Malformed:
      return refuse(ws, "The optimiser's round order (optimal.out) is not an order of rounds 1 to " +
                            std::to_string(run.table.nweek) + ".");
    default:
      return refuse(ws, "Cannot read the optimiser's round order (optimal.out).");
  }
}

void start_run(ScheduleRun& run) {
  run.work.remove();
  run.result_path.clear();
  run.evaluations = 0;
  run.season = {};
}

int fill_season(const League& league, const ScheduleOptions& options, ScheduleRun& run,
                base::WindowSystem& ws) {
  if (options.effort > 1 && !options.fairest && search_order(options, run, ws) != 1) return -1;
  run.season = build_season(league, run.table, run.order, options.season_weeks,
                            options.calendar ? options.calendar : league.calendar);
  return 1;
}

}  // namespace

int build_season(const League& league, const ScheduleOptions& options, ScheduleRun& run,
                 base::WindowSystem& ws) {
  start_run(run);
  std::string problem;
  if (!league_fits_run(league, problem)) return refuse(ws, problem);
  if (build_rounds(league, options, run, ws) != 1) return -1;
  return fill_season(league, options, run, ws);
}

int schedule_run(const League& league, const ScheduleOptions& options, ScheduleRun& run,
                 base::WindowSystem& ws) {
  start_run(run);
  std::string problem;
  if (!league_fits_run(league, problem)) return refuse(ws, problem);
  if (build_rounds(league, options, run, ws) != 1) return -1;

  // The result is checked, and its temporary file made, before the optimiser
  // starts, so a bad name never costs a search.
  run.result_path = resolve_result_path(run.base_folder, options.result_file);
  base::AtomicFile result;
  if (run.result_path.empty() || is_league_file(league, run.result_path))
    return refuse(ws, message::invalid_file_name);
  const base::WriteStatus prepared = result.prepare(run.result_path);
  // A schedule another program shows (Windows will not replace it) is no bad name.
  if (prepared == base::WriteStatus::InUse) return refuse(ws, cannot_write(run.result_path, prepared));
  if (prepared != base::WriteStatus::Ok) return refuse(ws, message::invalid_file_name);
  if (fill_season(league, options, run, ws) != 1) return -1;

  const Rendered rendered =
      run.render
          ? run.render(run.season)
          : Rendered{
                true, base::with_platform_line_ends(schedule_text(run.season, options.comma_delimited)), {}};
  if (!rendered.ok) return refuse(ws, rendered.message);
  const base::WriteStatus written = result.commit(rendered.bytes);
  if (written != base::WriteStatus::Ok) {
    return refuse(ws, cannot_write(run.result_path, written));
  }
  return 1;
}

void finish_run(int result, const ScheduleOptions& options, ScheduleRun& run, base::WindowSystem& ws) {
  run.work.remove();
  if (result == 1 && run.start_viewer) show_result(ws, options.viewer, run.result_path);
}

}  // namespace quintora::schedule
