#include "season/season.h"

#include <cstddef>

namespace quintora::season {

namespace {

bool in_range(int number, std::size_t count) {
  return number >= 1 && static_cast<std::size_t>(number) <= count;
}

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Letter case ignored for A..Z only; every other byte must match as it is.
bool equal_ignoring_ascii_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  }
  return true;
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
    if (week.not_playing != 0 && !in_range(week.not_playing, season.teams.size())) return false;
    for (const Match& match : week.matches) {
      if (!in_range(match.home, season.teams.size()) || !in_range(match.away, season.teams.size()) ||
          match.home == match.away)
        return false;
    }
  }
  return true;
}

int find_team(const Season& season, std::string_view name) {
  if (name.empty()) return 0;
  for (std::size_t t = 0; t < season.teams.size(); ++t) {
    if (season.teams[t].name == name) return static_cast<int>(t + 1);
  }
  // ASCII letters only, until the league's Unicode-aware comparison moves below the UI.
  for (std::size_t t = 0; t < season.teams.size(); ++t) {
    if (equal_ignoring_ascii_case(season.teams[t].name, name)) return static_cast<int>(t + 1);
  }
  return 0;
}

}  // namespace quintora::season
