#include "season/season.h"

#include <cstddef>

namespace quintora::season {

namespace {

bool in_range(int number, std::size_t count) {
  return number >= 1 && static_cast<std::size_t>(number) <= count;
}

}  // namespace

std::optional<base::TimeOfDay> Season::start_time(const Match& match) const {
  if (!calendar) return std::nullopt;
  const Bar& at = venue(match);
  return at.start ? *at.start : calendar->start;
}

bool Season::has_venue_details() const {
  for (const Bar& b : bars) {
    if (!b.address.empty() || !b.phone.empty() || b.start) return true;
  }
  return false;
}

bool is_consistent(const Season& season) {
  if (season.calendar) {
    if (!base::is_valid(season.calendar->start)) return false;
  }
  for (const Bar& bar : season.bars) {
    if (bar.start && !base::is_valid(*bar.start)) return false;
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
