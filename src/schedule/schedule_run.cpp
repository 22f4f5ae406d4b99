#include "schedule/schedule_run.h"

#include <algorithm>
#include <streambuf>
#include <string>
#include <system_error>

#include "base/atomic_file.h"
#include "base/paths.h"
#include "league/league_file.h"
#include "optimiser/file_names.h"
#include "optimiser/zorav.h"
#include "schedule/fairest.h"
#include "schedule/league_check.h"
#include "schedule/optimiser_exchange.h"
#include "schedule/schedule_messages.h"
#include "schedule/schedule_writer.h"
#include "schedule/season_builder.h"
#include "schedule/work_folder.h"

namespace quintora::schedule {

namespace {

class DiscardBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char_type*, std::streamsize n) override { return n; }
};

RunResult refuse(std::string text) { return {base::Notice{std::move(text)}}; }
RunResult refuse(const base::Notices& notices) { return {notices.front()}; }

std::string display(const std::filesystem::path& path) { return base::utf8_of(path); }

std::string cannot_write(const std::filesystem::path& path, base::WriteStatus status) {
  return "Cannot write the schedule file " + display(path) + ". " + std::string(base::describe(status));
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

// The pairing table, balanced or Fairest, and the order of its rounds.
RunResult ScheduleRun::build_rounds(const league::League& league, const ScheduleOptions& options) {
  compute_bar_limits(league, limits_);
  const bool fairest = options.method.kind == ScheduleMethod::Kind::Fairest;
  const bool dates = std::any_of(unavailable_.begin(), unavailable_.end(),
                                 [](const UnavailableWeek& entry) { return entry.week > 0; });
  if (division_count(league) > 1 || (fairest && dates)) return build_division_rounds(league, options);
  if (fairest) {
    // Fairest keeps every bar within its tables only where the table check holds.
    base::Notices refusal;
    if (!check_table_capacity(league, refusal)) return refuse(refusal);
    build_fairest_table(table_, league, options.method.variant);
  } else {
    build_round_table(table_, league.n_team);
    balance(table_, league, limits_, balance_state_);
  }
  order_ = table_order(table_.nweek);
  return {};
}

// Each division as a league of its own; Fairest places them together.
RunResult ScheduleRun::build_division_rounds(const league::League& league, const ScheduleOptions& options) {
  parts_ = split_divisions(league);
  if (options.method.kind == ScheduleMethod::Kind::Fairest) {
    base::Notices refusal;
    if (!check_table_capacity(league, refusal)) return refuse(refusal);
    if (place_fairest(parts_, league, options.method.variant, options.season_weeks, unavailable_,
                      settings_.control) == FairestSearch::Cancelled)
      return refuse("The schedule was cancelled.");
    return {};
  }
  for (DivisionPart& part : parts_) {
    build_round_table(part.table, part.league->n_team);
    compute_bar_limits(*part.league, limits_);
    balance(part.table, *part.league, limits_, balance_state_);
    part.order = table_order(part.table.nweek);
  }
  return {};
}

// The round order from the optimiser, which reads the table from a work
// folder that is removed again on the way out.
RunResult ScheduleRun::search_order(const ScheduleOptions& options, RoundTable& table, RoundOrder& order) {
  WorkFolder work;
  if (!work.create()) return refuse("Cannot make a work folder for the optimiser.");
  const auto input = work.file(optimiser::file::input);
  if (write_optimiser_input(input, table) != ExchangeResult::Ok) {
    return refuse("Cannot write the optimiser's input file " + display(input) + ".");
  }
  DiscardBuffer discard_buffer;
  std::ostream discard(&discard_buffer);
  const auto outcome = settings_.search(work.path(), search_effort(options.method.kind),
                                        settings_.optimiser_output ? *settings_.optimiser_output : discard);
  evaluations_ += outcome.evaluations;
  if (!outcome.ok) return refuse(optimiser_failure(outcome));
  switch (read_round_order(work.file(optimiser::file::order), table.nweek, order)) {
    case ExchangeResult::Ok:
      return {};
    case ExchangeResult::Malformed:
      return refuse("The optimiser's round order (optimal.out) is not an order of rounds 1 to " +
                    std::to_string(table.nweek) + ".");
    default:
      return refuse("Cannot read the optimiser's round order (optimal.out).");
  }
}

RunResult ScheduleRun::start(const league::League& league, const ScheduleOptions& options) {
  result_path_.clear();
  evaluations_ = 0;
  season_ = {};
  parts_.clear();
  notices_.clear();
  base::Notices misfit;
  if (!league_fits_run(league, misfit)) return refuse(misfit);
  unavailable_ = unavailable_weeks(league, options.season_weeks,
                                   options.calendar ? options.calendar : league.calendar, notices_);
  return build_rounds(league, options);
}

RunResult ScheduleRun::fill_season(const league::League& league, const ScheduleOptions& options) {
  const auto& calendar = options.calendar ? options.calendar : league.calendar;
  if (parts_.empty()) {
    if (search_effort(options.method.kind) > 0) {
      if (RunResult searched = search_order(options, table_, order_); !searched.ok()) return searched;
    }
    season_ = schedule::build_season(league, table_, order_, options.season_weeks, calendar);
  } else {
    for (DivisionPart& part : parts_) {
      if (search_effort(options.method.kind) == 0) break;
      if (RunResult searched = search_order(options, part.table, part.order); !searched.ok()) return searched;
    }
    season_ = build_division_season(league, parts_, options.season_weeks, calendar);
  }
  for (const UnavailableWeek& entry : unavailable_) {
    season_.unavailable.push_back({entry.kind == league::UnavailableKind::Bar, entry.number, entry.date});
  }
  if (options.method.kind == ScheduleMethod::Kind::Fairest) {
    const base::Notices misses = season_misses(season_);
    notices_.insert(notices_.end(), misses.begin(), misses.end());
  }
  return {};
}

RunResult ScheduleRun::build_season(const league::League& league, const ScheduleOptions& options) {
  if (RunResult started = start(league, options); !started.ok()) return started;
  return fill_season(league, options);
}

RunResult ScheduleRun::write_schedule(const league::League& league, const ScheduleOptions& options) {
  if (RunResult started = start(league, options); !started.ok()) return started;

  // The result is checked, and its temporary file made, before the optimiser
  // starts, so a bad name never costs a search.
  result_path_ = resolve_result_path(settings_.base_folder, options.result_file);
  base::AtomicFile result;
  if (result_path_.empty() || is_league_file(league, result_path_))
    return refuse(std::string(message::invalid_file_name));
  const base::WriteStatus prepared = result.prepare(result_path_);
  // A schedule another program shows (Windows will not replace it) is no bad name.
  if (prepared == base::WriteStatus::InUse) return refuse(cannot_write(result_path_, prepared));
  if (prepared != base::WriteStatus::Ok) return refuse(std::string(message::invalid_file_name));
  if (RunResult filled = fill_season(league, options); !filled.ok()) return filled;

  const Rendered rendered =
      settings_.render
          ? settings_.render(season_)
          : Rendered{
                true, base::with_platform_line_ends(schedule_text(season_, options.comma_delimited)), {}};
  if (!rendered.ok) return refuse(rendered.message);
  const base::WriteStatus written = result.commit(rendered.bytes);
  if (written != base::WriteStatus::Ok) {
    return refuse(cannot_write(result_path_, written));
  }
  return {};
}

}  // namespace quintora::schedule
