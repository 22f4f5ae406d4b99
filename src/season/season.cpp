#include "season/season.h"

#include <cstddef>

#include "base/text_compare.h"

namespace quintora::season {

namespace {

bool in_range(int number, std::size_t count) {
  return number >= 1 && static_cast<std::size_t>(number) <= count;
}

}  // namespace

bool is_consistent(const Season& season) {
  if (season.calendar) {
    if (!base::is_valid(season.calendar->start)) return false;
  }
  for (const Team& team : season.teams) {
    if (!in_range(team.bar, season.bars.size())) return false;
  }
  for (const Week& week : season.weeks) {
    if ((season.calendar && !week.date) || (week.date && !base::is_valid(*week.date))) return false;
    for (int team : week.not_playing) {
      if (!in_range(team, season.teams.size())) return false;
    }
    for (const Match& match : week.matches) {
      if (!in_range(match.home, season.teams.size()) || !in_range(match.away, season.teams.size()) ||
          match.home == match.away)
        return false;
    }
  }
  return true;
}

int find_division(const Season& season, std::string_view name) {
  for (std::size_t d = 0; d < season.divisions.size(); ++d) {
    if (base::equal_ignoring_case(season.divisions[d], name)) return static_cast<int>(d + 1);
  }
  return 0;
}

Season only_division(const Season& season, int division) {
  Season one = season;
  one.divisions.clear();
  int n_team = 0;
  for (const Team& team : season.teams) n_team += team.division == division ? 1 : 0;
  one.rounds_per_pass = n_team - 1 + n_team % 2;  // a bye round more in an odd division
  auto in_division = [&](int team) {
    return in_range(team, season.teams.size()) && season.team(team).division == division;
  };
  for (Week& week : one.weeks) {
    std::erase_if(week.matches, [&](const Match& match) { return !in_division(match.home); });
    std::erase_if(week.not_playing, [&](int team) { return !in_division(team); });
  }
  return one;
}

}  // namespace quintora::season
