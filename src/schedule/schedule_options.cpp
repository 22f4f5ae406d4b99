#include "schedule/schedule_options.h"

#include <algorithm>

#include "base/numbers.h"

namespace quintora::schedule {

int default_season_weeks(int n_team) {
  if (n_team < 1) return 0;
  const int weeks = n_team % 2 == 0 ? 2 * (n_team - 1) : 2 * n_team;
  return std::min(weeks, max_season_weeks);
}

int convert_weeks_text(std::string_view text) {
  return base::parse_leading_integer(text, 0, max_season_weeks);
}

}  // namespace quintora::schedule
