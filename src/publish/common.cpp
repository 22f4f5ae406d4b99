#include "publish/common.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace quintora::publish::detail {

Result check(const season::Season& season, const Options& options, bool needs_calendar, base::Date last) {
  // Before the consistency check, which takes a date past 9999 for a broken season.
  for (const season::Week& week : season.weeks) {
    if (week.date && *week.date > last) return Result::DateTooLate;
  }
  if (!season::is_consistent(season)) return Result::BadSeason;
  if (options.team < 0 || static_cast<std::size_t>(options.team) > season.teams.size())
    return Result::UnknownTeam;
  if (needs_calendar && !season.calendar) return Result::NeedsCalendar;
  return Result::Ok;
}

bool concerns(const season::Match& match, int team) {
  return team == 0 || match.home == team || match.away == team;
}

std::chrono::sys_seconds now(const Options& options) {
  if (options.now) return *options.now;
  return std::chrono::time_point_cast<std::chrono::seconds>(std::chrono::system_clock::now());
}

std::vector<base::Date> weeks_off_before(const season::Season& season, const Fixture& fixture) {
  return publish::weeks_off_before(season, static_cast<std::size_t>(fixture.week - season.weeks.data()));
}

std::string division_title(const season::Season& season, int division) {
  const auto d = static_cast<std::size_t>(division - 1);
  if (d < season.divisions.size() && !season.divisions[d].empty()) return season.divisions[d];
  return "Division " + std::to_string(division);
}

std::string division_of(const season::Season& season, int team) {
  return has_divisions(season) ? division_title(season, season.team(team).division) : std::string();
}

bool any_address(const season::Season& season) {
  return std::any_of(season.bars.begin(), season.bars.end(),
                     [](const season::Bar& bar) { return !bar.address.empty(); });
}

std::vector<int> venues_of(const season::Season& season, int team) {
  std::vector<bool> hosts(season.bars.size(), false);
  for (const season::Week& week : season.weeks) {
    for (const season::Match& match : week.matches) {
      if (concerns(match, team)) hosts[static_cast<std::size_t>(season.team(match.home).bar - 1)] = true;
    }
  }
  std::vector<int> bars;
  for (std::size_t b = 0; b < hosts.size(); ++b) {
    if (hosts[b]) bars.push_back(static_cast<int>(b + 1));
  }
  return bars;
}

std::string name_and_address(const season::Bar& bar) {
  return bar.address.empty() ? bar.name : bar.name + ", " + bar.address;
}

}  // namespace quintora::publish::detail

namespace quintora::publish {

std::vector<Fixture> fixtures_of(const season::Season& season, int team) {
  std::vector<Fixture> fixtures;
  for (const season::Week& week : season.weeks) {
    for (const season::Match& match : week.matches) {
      if (match.home == team || match.away == team) fixtures.push_back({&week, &match, team});
    }
    if (std::find(week.not_playing.begin(), week.not_playing.end(), team) != week.not_playing.end())
      fixtures.push_back({&week, nullptr, team});
  }
  return fixtures;
}

std::vector<base::Date> weeks_off_before(const season::Season& season, std::size_t week) {
  std::vector<base::Date> off;
  if (!season.calendar || week >= season.weeks.size() || !season.weeks[week].date) return off;
  const base::Date date = *season.weeks[week].date;
  // Before every real date when there is no week before.
  const base::Date after =
      week > 0 && season.weeks[week - 1].date ? *season.weeks[week - 1].date : base::Date{0, 1, 1};
  for (const base::Date& day : season.calendar->weeks_off()) {
    if (after < day && day < date) off.push_back(day);
  }
  std::sort(off.begin(), off.end());
  return off;
}

}  // namespace quintora::publish
