#include "ui/season_window.h"

#include <algorithm>
#include <memory>

#include "base/messages.h"
#include "schedule/schedule_options.h"
#include "schedule/schedule_run.h"

namespace quintora::ui {
namespace {

// The season of `league` built the way `choice` says, written nowhere;
// nothing, after a message box saying why, when it cannot be built.
// A cancelled build says so the same way.
std::optional<season::Season> build(const league::League& league, const BuildChoice& choice,
                                    base::WindowSystem& ws, const ProgressRunner& runner) {
  // The run's settings drop the optimiser's progress lines: the window shows
  // only the bar of Fairest's search.
  const auto run = std::make_unique<schedule::ScheduleRun>();  // its tables are large for the stack
  schedule::RunResult result;
  run_with_progress(runner, [&](const schedule::SearchControl& control) {
    run->settings().control = control;
    result = run->build_season(league, schedule::options_for(choice.method, choice.weeks));
  });
  if (!result.ok()) {
    base::show(ws, *result.failure);
    return std::nullopt;
  }
  return run->take_season();
}

}  // namespace

SeasonWindowLogic::SeasonWindowLogic(league::League& league, base::WindowSystem& ws, ProgressRunner runner)
    : league_(league), ws_(ws), runner_(std::move(runner)), calendar_(league), export_(league, ws) {
  choice_.weeks = schedule::default_season_weeks(league_);
  rebuild();
}

void SeasonWindowLogic::set_choice(BuildChoice choice) {
  choice.method.variant = std::clamp(choice.method.variant, 1, schedule::max_variant);
  choice.weeks = std::clamp(choice.weeks, 0, schedule::max_season_weeks);
  if (choice == choice_ && built_) return;
  choice_ = choice;
  rebuild();
}

void SeasonWindowLogic::rebuild() {
  std::optional<season::Season> season = build(league_, choice_, ws_, runner_);
  built_ = season.has_value();
  season_ = built_ ? std::move(*season) : season::Season{};
  fairness_ = built_ ? report::assess(season_) : report::Fairness{};
  if (chosen_team_ > team_count()) chosen_team_ = 0;
}

void SeasonWindowLogic::choose_team(int team) { chosen_team_ = team >= 1 && team <= team_count() ? team : 0; }

std::string SeasonWindowLogic::export_team_caption() const {
  return chosen_team_ >= 1 ? "Team: " + season_.team(chosen_team_).name : "Team on the Teams tab";
}

template <class Edit>
bool SeasonWindowLogic::edit_calendar(Edit edit) {
  const std::optional<league::Calendar> before = league_.calendar;
  const bool taken = edit();
  if (league_.calendar != before) rebuild();
  return taken;
}

bool SeasonWindowLogic::set_first_date(base::Date date) {
  return edit_calendar([&] { return calendar_.set_first_date(date); });
}

bool SeasonWindowLogic::set_every_days(int days) {
  return edit_calendar([&] { return calendar_.set_every_days(days); });
}

bool SeasonWindowLogic::set_start_time(base::TimeOfDay time) {
  return edit_calendar([&] { return calendar_.set_start_time(time); });
}

bool SeasonWindowLogic::add_week_off(base::Date date) {
  return edit_calendar([&] { return calendar_.add_week_off(date, choice_.weeks); });
}

bool SeasonWindowLogic::remove_week_off(base::Date date) {
  return edit_calendar([&] { return calendar_.remove_week_off(date); });
}

// The season may be built around the dates, so a change rebuilds it.
bool SeasonWindowLogic::add_unavailable(const league::Unavailable& entry) {
  if (!calendar_.add_unavailable(entry)) return false;
  rebuild();
  return true;
}

bool SeasonWindowLogic::remove_unavailable(const league::Unavailable& entry) {
  if (!calendar_.remove_unavailable(entry)) return false;
  rebuild();
  return true;
}

void SeasonWindowLogic::clear_calendar() {
  edit_calendar([&] {
    calendar_.clear();
    return true;
  });
}

}  // namespace quintora::ui
