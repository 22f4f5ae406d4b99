#include "season/season.h"

#include <cstddef>

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

}  // namespace quintora::season
