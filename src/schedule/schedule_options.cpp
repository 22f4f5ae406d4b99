#include "schedule/schedule_options.h"

#include <algorithm>
#include <cstddef>

namespace quintora::schedule {

int default_season_weeks(int n_team) {
  if (n_team < 1) return 0;
  const int weeks = n_team % 2 == 0 ? 2 * (n_team - 1) : 2 * n_team;
  return std::min(weeks, max_season_weeks);
}

int convert_weeks_text(std::string_view text) {
  std::size_t i = 0;
  auto is_space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
  while (i < text.size() && is_space(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  long value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = std::min(value * 10 + (text[i] - '0'), 1000000L);  // saturate: anything this large clamps to 200
    ++i;
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp(value, 0L, static_cast<long>(max_season_weeks)));
}

void reset_options_for_dialog(ScheduleOptions& options, const League& league) {
  options.season_weeks = default_season_weeks(league.n_team);
  options.effort = 2;
  options.viewer = Viewer::NotePad;
  options.comma_delimited = false;
}

}  // namespace quintora::schedule
