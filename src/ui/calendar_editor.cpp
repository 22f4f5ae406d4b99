#include "ui/calendar_editor.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "base/index.h"
#include "league/league_details.h"

namespace quintora::ui {

bool CalendarEditor::take(const league::Calendar& calendar, std::optional<base::Date> within_season,
                          int season_weeks) {
  league::CalendarCheck check = check_calendar(calendar);
  if (check.problem == league::CalendarProblem::None && within_season && season_weeks > 0) {
    // Only the week off being added must fall within the season; one that
    // a shorter season has left behind does no harm.
    const std::vector<base::Date> dates = match_dates(calendar, season_weeks);
    if (!dates.empty() && *within_season > dates.back()) {
      check = {league::CalendarProblem::OffBeyondSeason, *within_season, dates.back()};
    }
  }
  if (check.problem != league::CalendarProblem::None) {
    message_ = describe(check, calendar);
    return false;
  }
  message_.clear();
  if (league_.calendar && *league_.calendar == calendar) return true;
  league_.calendar = calendar;
  mark_modified(league_);
  return true;
}

bool CalendarEditor::has_calendar() {
  if (league_.calendar) return true;
  message_ = "Choose the first match date first.";
  return false;
}

bool CalendarEditor::set_first_date(base::Date date) {
  league::Calendar calendar = league_.calendar.value_or(league::Calendar{});
  calendar.first = date;
  return take(calendar, std::nullopt, 0);
}

bool CalendarEditor::set_every_days(int days) {
  if (!has_calendar()) return false;
  league::Calendar calendar = *league_.calendar;
  calendar.every_days = days;
  return take(calendar, std::nullopt, 0);
}

bool CalendarEditor::set_start_time(base::TimeOfDay time) {
  if (!has_calendar()) return false;
  league::Calendar calendar = *league_.calendar;
  calendar.start = time;
  return take(calendar, std::nullopt, 0);
}

bool CalendarEditor::add_week_off(base::Date date, int season_weeks) {
  if (!has_calendar()) return false;
  league::Calendar calendar = *league_.calendar;
  if (!calendar.add_week_off(date)) {
    const auto off = calendar.weeks_off();
    message_ = std::find(off.begin(), off.end(), date) != off.end()
                   ? "The week off " + base::format_iso_date(date) + " is listed already."
                   : "There is room for " + std::to_string(league::max_weeks_off) + " weeks off, no more.";
    return false;
  }
  return take(calendar, date, season_weeks);
}

bool CalendarEditor::remove_week_off(base::Date date) {
  league::Calendar calendar = league_.calendar.value_or(league::Calendar{});
  if (!league_.calendar || !calendar.remove_week_off(date)) {
    message_ = base::format_iso_date(date) + " is not a week off.";
    return false;
  }
  return take(calendar, std::nullopt, 0);
}

void CalendarEditor::clear() {
  message_.clear();
  if (!league_.calendar) return;
  league_.calendar.reset();
  mark_modified(league_);
}

bool CalendarEditor::add_unavailable(const league::Unavailable& entry) {
  if (const auto refusal = league::add_unavailable(league_, entry)) {
    message_ = refusal->text;
    return false;
  }
  message_.clear();
  mark_modified(league_);
  return true;
}

bool CalendarEditor::remove_unavailable(const league::Unavailable& entry) {
  if (!league::remove_unavailable(league_, entry)) {
    message_ = "Please select an unavailable date.";
    return false;
  }
  message_.clear();
  mark_modified(league_);
  return true;
}

std::vector<UnavailableChoice> CalendarEditor::unavailable_choices() const {
  std::vector<UnavailableChoice> choices;
  for (int p = 0; p < league_.n_bar_slot && p < league::bar_room; ++p) {
    if (bar_is_live(league_, p))
      choices.push_back(
          {"Bar: " + std::string(league_.bar.name[base::at(p)].view()), league::UnavailableKind::Bar, p});
  }
  for (int t = 0; t < league_.n_team_slot && t < league::team_room; ++t) {
    if (team_is_live(league_, t))
      choices.push_back(
          {"Team: " + std::string(league_.team.name[base::at(t)].view()), league::UnavailableKind::Team, t});
  }
  return choices;
}

std::vector<UnavailableRow> CalendarEditor::unavailable_rows() const {
  std::vector<league::Unavailable> entries(unavailable_entries(league_).begin(),
                                           unavailable_entries(league_).end());
  std::stable_sort(entries.begin(), entries.end(),
                   [](const league::Unavailable& a, const league::Unavailable& b) {
                     return std::tie(a.date, a.kind, a.position) < std::tie(b.date, b.kind, b.position);
                   });
  std::vector<UnavailableRow> rows;
  for (const league::Unavailable& e : entries) {
    const bool bar = e.kind == league::UnavailableKind::Bar;
    const league::Name& name =
        bar ? league_.bar.name[base::at(e.position)] : league_.team.name[base::at(e.position)];
    rows.push_back(
        {base::format_iso_date(e.date) + "  " + std::string(name.view()) + (bar ? " (bar)" : " (team)"), e});
  }
  return rows;
}

}  // namespace quintora::ui
