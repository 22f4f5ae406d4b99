#include "ui/season_rows.h"

#include <algorithm>
#include <cstddef>

#include "base/numbers.h"
#include "base/text.h"
#include "base/text_compare.h"
#include "publish/publish.h"

namespace quintora::ui {
namespace {

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

const report::DivisionLine* division_line(const report::Fairness& fairness, int division) {
  for (const report::DivisionLine& d : fairness.divisions) {
    if (d.number == division) return &d;
  }
  return nullptr;
}

// "Premier: 10 breaks, the fewest 8"
std::string division_breaks(const report::DivisionLine& d) {
  return d.name + ": " + plural(d.total_breaks, "break", "breaks") + ", the fewest mirrored " +
         (d.minimum_is_exact ? "" : "at least ") + std::to_string(d.minimum_breaks);
}

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

std::string display_date(base::Date date) {
  return std::string(base::weekday_name(date).substr(0, 3)) + " " + base::format_iso_date(date);
}

std::vector<WeekRow> week_rows(const season::Season& season, std::string_view filter, int division) {
  // A match is played within one division: its host's says which.
  const auto in_division = [&season, division](int team) {
    return division == 0 || (team >= 1 && team <= static_cast<int>(season.teams.size()) &&
                             season.team(team).division == division);
  };
  const std::string_view part = trimmed(filter);
  const auto wanted = [part](const WeekRow& row) {
    if (row.kind == RowKind::WeekOff) return true;
    return base::contains_ignoring_case(row.home, part) ||
           (row.kind == RowKind::Match && base::contains_ignoring_case(row.away, part)) ||
           base::contains_ignoring_case(row.venue, part);
  };
  std::vector<WeekRow> rows;
  const auto add = [&](WeekRow row) {
    if (wanted(row)) rows.push_back(std::move(row));
  };
  for (std::size_t w = 0; w < season.weeks.size(); ++w) {
    for (const base::Date& off : publish::weeks_off_before(season, w))
      add({RowKind::WeekOff, 0, display_date(off), std::string(week_off_text), {}, {}});
    const season::Week& week = season.weeks[w];
    const std::string date = week_date(week);
    for (const season::Match& m : week.matches) {
      if (!in_division(m.home)) continue;
      add({RowKind::Match, week.number, date, team_name(season, m.home), team_name(season, m.away),
           venue_name(season, m)});
    }
    for (int team : week.not_playing)
      if (in_division(team))
        add({RowKind::Bye, week.number, date, team_name(season, team), std::string(not_playing_text), {}});
  }
  return rows;
}

std::vector<FixtureRow> fixture_rows(const season::Season& season, int team) {
  std::vector<FixtureRow> rows;
  if (team < 1 || team > static_cast<int>(season.teams.size())) return rows;
  for (const publish::Fixture& f : publish::fixtures_of(season, team)) {
    for (const base::Date& off :
         publish::weeks_off_before(season, static_cast<std::size_t>(f.week - season.weeks.data())))
      rows.push_back({RowKind::WeekOff, 0, display_date(off), {}, std::string(week_off_text), {}});
    if (f.match == nullptr) {
      rows.push_back(
          {RowKind::Bye, f.week->number, week_date(*f.week), {}, std::string(not_playing_text), {}});
      continue;
    }
    rows.push_back({RowKind::Match, f.week->number, week_date(*f.week), team_name(season, f.opponent()),
                    std::string(f.home() ? home_text : away_text), venue_name(season, *f.match)});
  }
  return rows;
}

std::string team_summary(const report::Fairness& fairness, int team) {
  if (team < 1 || team > static_cast<int>(fairness.teams.size())) return {};
  const report::TeamLine& t = fairness.teams[static_cast<std::size_t>(team - 1)];
  std::string division;
  if (const report::DivisionLine* d = division_line(fairness, t.division))
    division = "Division: " + d->name + ". ";
  return division + "Home games: " + std::to_string(t.home) + ", away games: " + std::to_string(t.away) +
         ", weeks not playing: " + std::to_string(t.byes) + ", breaks: " + std::to_string(t.breaks) +
         ", longest home run: " + std::to_string(t.longest_home_run) +
         ", longest away run: " + std::to_string(t.longest_away_run) + ".";
}

std::string totals_text(const season::Season& season, const report::Fairness& fairness) {
  std::string divisions;
  for (const report::DivisionLine& d : fairness.divisions) {
    divisions.append("\n").append(division_breaks(d)).append(".");
  }
  // See the report: with divisions the figure holds for mirrored passes.
  const char* const of = fairness.divisions.empty() ? ". The fewest any season of "
                                                    : ". The fewest any season of mirrored round-robins of ";
  return "Breaks in this season: " + std::to_string(fairness.total_breaks) + of +
         plural(static_cast<int>(season.teams.size()), "team", "teams") + " and " +
         plural(static_cast<int>(season.weeks.size()), "week", "weeks") +
         " can have: " + report::fewest_text(fairness) + "." + divisions;
}

std::string overbooked_text(const report::Fairness& fairness) {
  // A few by name; the bars' table shows every one of them.
  constexpr int named = 5;
  std::string list;
  int count = 0;
  for (const report::BarLine& bar : fairness.bars) {
    if (!overbooked(bar)) continue;
    if (++count > named) continue;
    if (!list.empty()) list += ", ";
    list += bar.name + " (" + plural(bar.weeks_over_tables, "week", "weeks") + ")";
  }
  if (count == 0) return "Every bar stays within its tables in every week.";
  if (count > named) list += " and " + plural(count - named, "more bar", "more bars");
  return "More matches than tables in some week: " + list + ".";
}

bool home_bar_overbooked(const season::Season& season, const report::Fairness& fairness, int team) {
  if (team < 1 || team > static_cast<int>(season.teams.size())) return false;
  const int bar = season.team(team).bar;
  if (bar < 1 || bar > static_cast<int>(fairness.bars.size())) return false;
  return overbooked(fairness.bars[static_cast<std::size_t>(bar - 1)]);
}

}  // namespace quintora::ui

namespace quintora::ui {

std::vector<TeamChoice> team_choices(const season::Season& season) {
  std::vector<TeamChoice> choices;
  const int groups = std::max(1, static_cast<int>(season.divisions.size()));
  for (int d = 1; d <= groups; ++d) {
    bool first = true;
    for (int t = 1; t <= static_cast<int>(season.teams.size()); ++t) {
      const season::Team& team = season.team(t);
      if (groups > 1 && team.division != d) continue;
      std::string text = std::to_string(t) + "  " + team.name;
      if (groups > 1) text += " (" + season.divisions[static_cast<std::size_t>(d - 1)] + ")";
      choices.push_back({t, std::move(text), groups > 1 && first});
      first = false;
    }
  }
  return choices;
}

std::vector<TeamReportRow> team_report_rows(const report::Fairness& fairness) {
  std::vector<TeamReportRow> rows;
  const int teams = static_cast<int>(fairness.teams.size());
  if (fairness.divisions.empty()) {
    for (int t = 1; t <= teams; ++t) rows.push_back({t, {}});
    return rows;
  }
  for (const report::DivisionLine& d : fairness.divisions) {
    rows.push_back({0, division_breaks(d)});
    for (int t = 1; t <= teams; ++t) {
      if (fairness.teams[static_cast<std::size_t>(t - 1)].division == d.number) rows.push_back({t, {}});
    }
  }
  return rows;
}

std::string missed_text(const report::Fairness& fairness) {
  if (!fairness.has_unavailable) return {};
  if (fairness.unavailable_missed.empty()) return "Every unavailable date is kept.";
  std::string text = "Unavailable dates not kept:";
  const char* separator = " ";
  for (const report::Missed& m : fairness.unavailable_missed) {
    text.append(separator).append(display_date(m.date)).append(" ").append(m.name);
    text.append(m.bar ? " (bar)" : " (team)");
    separator = "; ";
  }
  return text + ".";
}

}  // namespace quintora::ui
