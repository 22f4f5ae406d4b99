#include "schedule/schedule_options.h"

#include <algorithm>
#include <array>

#include "base/numbers.h"

namespace quintora::schedule {

std::string_view method_caption(ScheduleMethod::Kind kind) {
  switch (kind) {
    case ScheduleMethod::Kind::TableOrder:
      return "No";
    case ScheduleMethod::Kind::Search:
      return "Yes";
    case ScheduleMethod::Kind::SearchHarder:
      return "Yes, try harder";
    case ScheduleMethod::Kind::SearchHardest:
      return "Yes, try hardest";
    case ScheduleMethod::Kind::Fairest:
      break;
  }
  return "Fairest: bars within tables, fewest breaks";
}

ScheduleMethod method_of_effort(int effort) {
  return {method_kinds[static_cast<std::size_t>(std::clamp(effort, 1, 4) - 1)], 1};
}

int search_effort(ScheduleMethod::Kind kind) {
  switch (kind) {
    case ScheduleMethod::Kind::Search:
      return 2;
    case ScheduleMethod::Kind::SearchHarder:
      return 3;
    case ScheduleMethod::Kind::SearchHardest:
      return 4;
    case ScheduleMethod::Kind::TableOrder:
    case ScheduleMethod::Kind::Fairest:
      break;
  }
  return 0;
}

ScheduleOptions options_for(ScheduleMethod method, int weeks) {
  ScheduleOptions options;
  options.season_weeks = weeks;
  options.method = method;
  return options;
}

int default_season_weeks(int n_team) {
  if (n_team < 1) return 0;
  const int weeks = n_team % 2 == 0 ? 2 * (n_team - 1) : 2 * n_team;
  return std::min(weeks, max_season_weeks);
}

int default_season_weeks(const league::League& league) {
  std::array<int, league::max_divisions + 1> teams{};
  for (int t = 0; t < std::min(league.n_team_slot, league::team_room); ++t) {
    if (league::team_is_live(league, t)) ++teams[static_cast<std::size_t>(league::division_of(league, t))];
  }
  return default_season_weeks(*std::max_element(teams.begin(), teams.end()));
}

int convert_weeks_text(std::string_view text) {
  return base::parse_leading_integer(text, 0, max_season_weeks);
}

}  // namespace quintora::schedule
