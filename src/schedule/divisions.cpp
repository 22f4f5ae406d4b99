#include "schedule/divisions.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include "schedule/schedule_options.h"
#include "schedule/text_format.h"

namespace quintora::schedule {

std::vector<DivisionPart> split_divisions(const league::League& league) {
  std::vector<DivisionPart> parts;
  for (int d = 1; d <= league::division_count(league); ++d) {
    DivisionPart part;
    part.division = d;
    part.league = std::make_unique<league::League>(league);
    league::League& own = *part.league;
    own.n_team = 0;
    own.n_team_slot = 0;
    own.team = {};
    own.division = {};
    own.unavailable = {};
    for (int p = 0; p < own.n_bar; ++p) own.bar.n_team_this_bar[at(p)] = 0;
    for (int t = 0; t < league.n_team; ++t) {
      if (league::division_of(league, t) != d) continue;
      const int bar = league.team.bar_number[at(t)];
      own.team.bar_number[at(own.n_team)] = bar;
      own.team.name[at(own.n_team)] = league.team.name[at(t)];
      ++own.bar.n_team_this_bar[at(bar - 1)];
      ++own.n_team;
      part.league_team.push_back(t + 1);
    }
    own.n_team_slot = own.n_team;
    if (own.n_team > 0) parts.push_back(std::move(part));
  }
  return parts;
}

std::vector<UnavailableWeek> unavailable_weeks(const league::League& league, int season_weeks,
                                               const std::optional<league::Calendar>& calendar,
                                               base::Notices& notices) {
  std::vector<UnavailableWeek> weeks;
  const int n_entry = std::clamp(static_cast<int>(league.unavailable.n_entry), 0, league::max_unavailable);
  const int n_week = std::clamp(season_weeks, 0, max_season_weeks);
  const std::vector<base::Date> dates = calendar ? match_dates(*calendar, n_week) : std::vector<base::Date>{};
  for (int e = 0; e < n_entry; ++e) {
    const league::Unavailable& entry = league.unavailable.entry[at(e)];
    const bool bar = entry.kind == league::UnavailableKind::Bar;
    const int count = bar ? league.n_bar : league.n_team;
    if (entry.position < 0 || entry.position >= count) continue;  // a deleted entry's dates go with it
    UnavailableWeek week{entry.kind, entry.position + 1, 0, entry.date};
    const auto found = std::find(dates.begin(), dates.end(), entry.date);
    if (found != dates.end()) {
      week.week = static_cast<int>(found - dates.begin()) + 1;
    } else {
      const auto& name = bar ? league.bar.name[at(entry.position)] : league.team.name[at(entry.position)];
      notices.push_back({std::string("The unavailable date ") + base::format_iso_date(entry.date) + " of " +
                             (bar ? "bar " : "team ") + std::string(name.view()) +
                             " is not a match date of the season; it is ignored.",
                         base::caption::warning, base::Icon::Exclamation});
    }
    weeks.push_back(week);
  }
  return weeks;
}

namespace {

void add_division_week(season::Week& week, const DivisionPart& part, int w) {
  const RoundTable& table = part.table;
  if (table.nweek < 1) return;
  const int pass = w / table.nweek + 1;
  const int r = part.order.round[at(w % table.nweek + 1)];
  auto number = [&](int local) { return part.league_team[static_cast<std::size_t>(local - 1)]; };
  if (static_cast<std::size_t>(w) < part.hosts.size()) {
    const auto& hosts = part.hosts[static_cast<std::size_t>(w)];
    week.matches.insert(week.matches.end(), hosts.begin(), hosts.end());
  }
  for (int slot = table.first_real_slot; part.hosts.empty() && slot <= table.nmatch; ++slot) {
    int home = table.A[at(slot)][at(r)];
    int away = table.B[at(slot)][at(r)];
    if (pass % 2 == 0) std::swap(home, away);
    week.matches.push_back({number(home), number(away)});
  }
  if (table.first_real_slot != 2) return;
  if (part.hosts.empty()) {
    week.not_playing.push_back(number(std::min(table.A[1][at(r)], table.B[1][at(r)])));
    return;
  }
  // Passes of their own have byes of their own: the team that does not play.
  for (int team : part.league_team) {
    const auto& hosts = part.hosts[static_cast<std::size_t>(w)];
    if (std::none_of(hosts.begin(), hosts.end(),
                     [&](const season::Match& m) { return m.home == team || m.away == team; })) {
      week.not_playing.push_back(team);
      break;
    }
  }
}

}  // namespace

season::Season build_division_season(const league::League& league, const std::vector<DivisionPart>& parts,
                                     int season_weeks, const std::optional<league::Calendar>& calendar) {
  season::Season s;
  s.title = std::string(league.stored_title.view());
  for (int p = 0; p < std::clamp(league.n_bar, 0, league::bar_room); ++p) {
    s.bars.push_back({std::string(league.bar.name[at(p)].view()), league.bar.n_table_this_bar[at(p)],
                      std::string(league.bar.address[at(p)].view()),
                      std::string(league.bar.phone[at(p)].view()), league.bar.start[at(p)]});
  }
  for (int t = 0; t < std::clamp(league.n_team, 0, league::team_room); ++t) {
    s.teams.push_back({std::string(league.team.name[at(t)].view()), league.team.bar_number[at(t)],
                       league::division_of(league, t)});
  }
  // A league of one division shows none.
  for (int d = 0; league::division_count(league) > 1 && d < league::division_count(league); ++d)
    s.divisions.push_back(league::division_name(league, d + 1));
  s.calendar = calendar;
  for (const DivisionPart& part : parts) s.rounds_per_pass = std::max(s.rounds_per_pass, part.table.nweek);

  const int weeks = std::clamp(season_weeks, 0, max_season_weeks);
  const std::vector<base::Date> dates = calendar ? match_dates(*calendar, weeks) : std::vector<base::Date>{};
  for (int w = 0; w < weeks; ++w) {
    season::Week week;
    week.number = w + 1;
    if (static_cast<std::size_t>(w) < dates.size()) week.date = dates[static_cast<std::size_t>(w)];
    for (const DivisionPart& part : parts) add_division_week(week, part, w);
    s.weeks.push_back(std::move(week));
  }
  return s;
}

base::Notices season_misses(const season::Season& season) {
  base::Notices misses;
  auto warn = [&](std::string text) {
    misses.push_back({std::move(text), base::caption::warning, base::Icon::Exclamation});
  };
  for (std::size_t b = 1; b <= season.bars.size(); ++b) {
    std::string weeks;
    for (const season::Week& week : season.weeks) {
      const auto hosted =
          std::count_if(week.matches.begin(), week.matches.end(), [&](const season::Match& m) {
            return m.home >= 1 && static_cast<std::size_t>(m.home) <= season.teams.size() &&
                   static_cast<std::size_t>(season.team(m.home).bar) == b;
          });
      if (hosted > season.bars[b - 1].tables)
        weeks += (weeks.empty() ? "" : ", ") + std::to_string(week.number);
    }
    if (!weeks.empty())
      warn("Bar " + season.bars[b - 1].name + " hosts more matches than it has tables in week " + weeks +
           ".");
  }
  for (const season::Unavailable& entry : season.unavailable) {
    for (const season::Week& week : season.weeks) {
      if (week.date != entry.date) continue;
      for (const season::Match& m : week.matches) {
        if (entry.bar && season.team(m.home).bar == entry.number) {
          warn("Bar " + season.bar(entry.number).name + " hosts a match on " +
               base::format_iso_date(entry.date) + ", a date it cannot host.");
          break;
        }
        if (!entry.bar && m.home == entry.number) {
          warn("Team " + season.team(entry.number).name + " plays at home on " +
               base::format_iso_date(entry.date) + ", a date it must play away.");
          break;
        }
      }
    }
  }
  return misses;
}

}  // namespace quintora::schedule
