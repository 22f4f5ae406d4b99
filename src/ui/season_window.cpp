#include "ui/season_window.h"

#include <algorithm>
#include <cstdint>

#include "base/atomic_file.h"
#include "base/messages.h"
#include "base/paths.h"
#include "base/text.h"
#include "base/text_compare.h"
#include "league/league_file.h"
#include "schedule/schedule_options.h"
#include "schedule/schedule_run.h"

namespace quintora::ui {
namespace {

std::vector<std::uint32_t> folded(std::string_view text) {
  std::vector<std::uint32_t> out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    out.push_back(base::fold_detail::fold(base::fold_detail::next_code_point(text, i)));
  }
  return out;
}

bool contains_folded(std::string_view text, const std::vector<std::uint32_t>& part) {
  if (part.empty()) return true;
  const std::vector<std::uint32_t> whole = folded(text);
  return std::search(whole.begin(), whole.end(), part.begin(), part.end()) != whole.end();
}

std::string_view trimmed(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && base::is_white(text[first])) ++first;
  while (last > first && base::is_white(text[last - 1])) --last;
  return text.substr(first, last - first);
}

std::string plural(int count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// A file name part from a team name: letters and digits kept (UTF-8 letters
// too), everything else, separators above all, made a single '-'.
std::string file_name_part(std::string_view name) {
  std::string out;
  for (const char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c >= 0x80) {
      out += ch;
    } else if (c >= 'A' && c <= 'Z') {
      out += static_cast<char>(c - 'A' + 'a');
    } else if (!out.empty() && out.back() != '-') {
      out += '-';
    }
  }
  while (!out.empty() && out.back() == '-') out.pop_back();
  return out.substr(0, base::fitting_length(out, 40));
}

// The weeks off of the season's calendar, in order; none without one.
std::vector<base::Date> weeks_off(const season::Season& season) {
  if (!season.calendar) return {};
  std::vector<base::Date> off(season.calendar->weeks_off().begin(), season.calendar->weeks_off().end());
  std::sort(off.begin(), off.end());
  return off;
}

// Calls week_off(date) for each week off that falls before `week` and after
// the weeks already passed, so the weeks off stand among the match weeks.
template <class F>
void weeks_off_before(const season::Week& week, const std::vector<base::Date>& off, std::size_t& next,
                      F week_off) {
  if (!week.date) return;
  while (next < off.size() && off[next] < *week.date) week_off(off[next++]);
}

}  // namespace

bool contains_ignoring_case(std::string_view text, std::string_view part) {
  return contains_folded(text, folded(part));
}

std::string display_date(base::Date date) {
  return std::string(base::weekday_name(date).substr(0, 3)) + " " + base::format_iso_date(date);
}

SeasonWindowLogic::SeasonWindowLogic(League& league, base::WindowSystem& ws)
    : league_(league), ws_(ws), run_(std::make_unique<schedule::ScheduleRun>()) {
  choice_.weeks = schedule::default_season_weeks(league_.n_team);
  rebuild();
}

SeasonWindowLogic::~SeasonWindowLogic() = default;

void SeasonWindowLogic::set_choice(BuildChoice choice) {
  choice.method.variant = std::clamp(choice.method.variant, 1, schedule::max_variant);
  choice.weeks = std::clamp(choice.weeks, 0, schedule::max_season_weeks);
  if (choice == choice_ && built_) return;
  choice_ = choice;
  rebuild();
}

void SeasonWindowLogic::rebuild() {
  // The window shows no progress lines: the run's settings drop them.
  const schedule::RunResult result =
      run_->build_season(league_, schedule::options_for(choice_.method, choice_.weeks));
  if (!result.ok()) base::show(ws_, *result.failure);
  built_ = result.ok();
  season_ = built_ ? run_->take_season() : season::Season{};
  fairness_ = built_ ? report::assess(season_) : report::Fairness{};
  if (chosen_team_ > team_count()) chosen_team_ = 0;
}

namespace {

std::string team_name(const season::Season& season, int team) {
  if (team < 1 || team > static_cast<int>(season.teams.size())) return {};
  return season.team(team).name;
}

std::string venue_name(const season::Season& season, const season::Match& match) {
  const int host = match.home;
  if (host < 1 || host > static_cast<int>(season.teams.size())) return {};
  const int bar = season.team(host).bar;
  if (bar < 1 || bar > static_cast<int>(season.bars.size())) return {};
  return season.bar(bar).name;
}

std::string week_date(const season::Week& week) { return week.date ? display_date(*week.date) : ""; }

}  // namespace

std::vector<WeekRow> SeasonWindowLogic::week_rows(std::string_view filter) const {
  const std::vector<std::uint32_t> part = folded(trimmed(filter));
  const auto wanted = [&part](const WeekRow& row) {
    if (row.kind == RowKind::WeekOff) return true;
    return contains_folded(row.home, part) ||
           (row.kind == RowKind::Match && contains_folded(row.away, part)) ||
           contains_folded(row.venue, part);
  };
  std::vector<WeekRow> rows;
  const auto add = [&](WeekRow row) {
    if (wanted(row)) rows.push_back(std::move(row));
  };
  const std::vector<base::Date> off = weeks_off(season_);
  std::size_t next_off = 0;
  for (const season::Week& week : season_.weeks) {
    weeks_off_before(week, off, next_off, [&](base::Date date) {
      add({RowKind::WeekOff, 0, display_date(date), std::string(week_off_text), {}, {}});
    });
    const std::string date = week_date(week);
    for (const season::Match& m : week.matches) {
      add({RowKind::Match, week.number, date, team_name(season_, m.home), team_name(season_, m.away),
           venue_name(season_, m)});
    }
    if (week.not_playing != 0) {
      add({RowKind::Bye,
           week.number,
           date,
           team_name(season_, week.not_playing),
           std::string(not_playing_text),
           {}});
    }
  }
  return rows;
}

void SeasonWindowLogic::choose_team(int team) { chosen_team_ = team >= 1 && team <= team_count() ? team : 0; }

std::vector<FixtureRow> SeasonWindowLogic::fixtures(int team) const {
  std::vector<FixtureRow> rows;
  if (team < 1 || team > team_count()) return rows;
  const std::vector<base::Date> off = weeks_off(season_);
  std::size_t next_off = 0;
  for (const season::Week& week : season_.weeks) {
    weeks_off_before(week, off, next_off, [&](base::Date date) {
      rows.push_back({RowKind::WeekOff, 0, display_date(date), {}, std::string(week_off_text), {}});
    });
    const std::string date = week_date(week);
    if (week.not_playing == team) {
      rows.push_back({RowKind::Bye, week.number, date, {}, std::string(not_playing_text), {}});
      continue;
    }
    for (const season::Match& m : week.matches) {
      if (m.home != team && m.away != team) continue;
      const bool home = m.home == team;
      rows.push_back({RowKind::Match, week.number, date, team_name(season_, home ? m.away : m.home),
                      std::string(home ? home_text : away_text), venue_name(season_, m)});
    }
  }
  return rows;
}

std::string SeasonWindowLogic::team_summary(int team) const {
  if (team < 1 || team > static_cast<int>(fairness_.teams.size())) return {};
  const report::TeamLine& t = fairness_.teams[static_cast<std::size_t>(team - 1)];
  return "Home games: " + std::to_string(t.home) + ", away games: " + std::to_string(t.away) +
         ", weeks not playing: " + std::to_string(t.byes) + ", breaks: " + std::to_string(t.breaks) +
         ", longest home run: " + std::to_string(t.longest_home_run) +
         ", longest away run: " + std::to_string(t.longest_away_run) + ".";
}

std::string SeasonWindowLogic::totals_text() const {
  return "Breaks in this season: " + std::to_string(fairness_.total_breaks) + ". The fewest any season of " +
         plural(team_count(), "team", "teams") + " and " +
         plural(static_cast<int>(season_.weeks.size()), "week", "weeks") +
         " can have: " + std::to_string(fairness_.minimum_breaks) + ".";
}

std::string SeasonWindowLogic::overbooked_text() const {
  // A few by name; the bars' table shows every one of them.
  constexpr int named = 5;
  std::string list;
  int count = 0;
  for (const report::BarLine& bar : fairness_.bars) {
    if (!overbooked(bar)) continue;
    if (++count > named) continue;
    if (!list.empty()) list += ", ";
    list += bar.name + " (" + plural(bar.weeks_over_tables, "week", "weeks") + ")";
  }
  if (count == 0) return "Every bar stays within its tables in every week.";
  if (count > named) list += " and " + plural(count - named, "more bar", "more bars");
  return "More matches than tables in some week: " + list + ".";
}

bool SeasonWindowLogic::home_bar_overbooked(int team) const {
  if (team < 1 || team > team_count()) return false;
  const int bar = season_.team(team).bar;
  if (bar < 1 || bar > static_cast<int>(fairness_.bars.size())) return false;
  return overbooked(fairness_.bars[static_cast<std::size_t>(bar - 1)]);
}

bool SeasonWindowLogic::take_calendar(const Calendar& calendar, std::optional<base::Date> within_season) {
  CalendarCheck check = check_calendar(calendar);
  if (check.problem == CalendarProblem::None && within_season && choice_.weeks > 0) {
    // Only the week off being added must fall within the season; one that
    // a shorter season has left behind does no harm.
    const std::vector<base::Date> dates = match_dates(calendar, choice_.weeks);
    if (!dates.empty() && *within_season > dates.back()) {
      check = {CalendarProblem::OffBeyondSeason, *within_season, dates.back()};
    }
  }
  if (check.problem != CalendarProblem::None) {
    calendar_message_ = describe(check, calendar);
    return false;
  }
  calendar_message_.clear();
  if (league_.calendar && *league_.calendar == calendar) return true;
  league_.calendar = calendar;
  mark_modified(league_);
  rebuild();
  return true;
}

bool SeasonWindowLogic::set_first_date(base::Date date) {
  Calendar calendar = league_.calendar.value_or(Calendar{});
  calendar.first = date;
  return take_calendar(calendar, std::nullopt);
}

bool SeasonWindowLogic::has_calendar() {
  if (league_.calendar) return true;
  calendar_message_ = "Choose the first match date first.";
  return false;
}

bool SeasonWindowLogic::set_every_days(int days) {
  if (!has_calendar()) return false;
  Calendar calendar = *league_.calendar;
  calendar.every_days = days;
  return take_calendar(calendar, std::nullopt);
}

bool SeasonWindowLogic::set_start_time(base::TimeOfDay time) {
  if (!has_calendar()) return false;
  Calendar calendar = *league_.calendar;
  calendar.start = time;
  return take_calendar(calendar, std::nullopt);
}

bool SeasonWindowLogic::add_week_off(base::Date date) {
  if (!has_calendar()) return false;
  Calendar calendar = *league_.calendar;
  if (!calendar.add_week_off(date)) {
    const auto off = calendar.weeks_off();
    calendar_message_ = std::find(off.begin(), off.end(), date) != off.end()
                            ? "The week off " + base::format_iso_date(date) + " is listed already."
                            : "There is room for " + std::to_string(max_weeks_off) + " weeks off, no more.";
    return false;
  }
  return take_calendar(calendar, date);
}

bool SeasonWindowLogic::remove_week_off(base::Date date) {
  Calendar calendar = league_.calendar.value_or(Calendar{});
  if (!league_.calendar || !calendar.remove_week_off(date)) {
    calendar_message_ = base::format_iso_date(date) + " is not a week off.";
    return false;
  }
  return take_calendar(calendar, std::nullopt);
}

void SeasonWindowLogic::clear_calendar() {
  calendar_message_.clear();
  if (!league_.calendar) return;
  league_.calendar.reset();
  mark_modified(league_);
  rebuild();
}

publish::Output SeasonWindowLogic::render(publish::Format format, int team) const {
  publish::Options options;
  options.team = team;
  if (format == publish::Format::Pdf && pdf_renderer_) return pdf_renderer_(season_, options);
  return publish::render(season_, format, options);
}

std::string SeasonWindowLogic::suggested_path(const publish::FormatInfo& info, int team) const {
  std::filesystem::path folder;
  std::string stem = "season";
  if (has_league_file(league_)) {
    const std::filesystem::path league_file = base::path_from_utf8(league_.current_file_path.view());
    folder = league_file.parent_path();
    stem = base::utf8_of(league_file.stem());
  }
  if (team != 0) {
    const std::string part = file_name_part(team_name(season_, team));
    stem += "-" + (part.empty() ? "team-" + std::to_string(team) : part);
  }
  return base::utf8_of(folder / base::path_from_utf8(stem + std::string(info.extension)));
}

bool SeasonWindowLogic::export_season(publish::Format format, int team) {
  const auto all = publish::formats();
  const auto info =
      std::find_if(all.begin(), all.end(), [format](const auto& f) { return f.format == format; });
  if (info == all.end()) return false;
  const auto refuse = [this](const std::string& text) {
    ws_.message_box(text, base::caption::stop, base::Icon::Error, base::Buttons::Ok);
    return false;
  };
  if (!built_) return refuse("There is no season to export: it could not be built.");
  const int for_team = info->per_team ? team : 0;
  // The file is made before a name is asked for, so a format that cannot be
  // made costs the user no file dialog.
  const publish::Output output = render(format, for_team);
  if (output.result != publish::Result::Ok) {
    publish::Options options;
    options.team = for_team;
    return refuse(publish::message(output.result, options));
  }

  base::FileDialogRequest request;
  request.kind = base::FileDialogKind::Save;
  const std::string pattern = "*" + std::string(info->extension);
  request.filters = {{std::string(info->description), pattern}, {"All Files(*.*)", "*.*"}};
  request.default_suffix = std::string(info->extension.substr(1));
  request.confirm_overwrite = true;
  request.initial_path = suggested_path(*info, for_team);
  const std::optional<std::string> chosen = ws_.choose_file(request);
  if (!chosen || chosen->empty()) return false;

  const std::filesystem::path target = base::path_from_utf8(*chosen);
  if (is_league_file(league_, target)) {
    return refuse("The league file " + *chosen + " cannot take an export. Choose another name.");
  }
  const base::WriteStatus written = base::write_file_atomically(target, output.bytes);
  if (written != base::WriteStatus::Ok) {
    export_status_ = "Nothing was written.";
    return refuse("Cannot write the file " + *chosen + ". " + std::string(base::describe(written)));
  }
  export_status_ = "Saved " + *chosen + ".";
  return true;
}

std::optional<std::string> SeasonWindowLogic::page_to_print(int team) {
  publish::Output page = render(publish::Format::Html, team);
  if (page.result != publish::Result::Ok) {
    publish::Options options;
    options.team = team;
    ws_.message_box(publish::message(page.result, options), base::caption::stop, base::Icon::Error,
                    base::Buttons::Ok);
    return std::nullopt;
  }
  return std::move(page.bytes);
}

}  // namespace quintora::ui
