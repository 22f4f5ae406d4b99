#pragma once
// The choices of one schedule run, their defaults, and the reading of the
// weeks field.

#include <optional>
#include <string>
#include <string_view>

#include "league/calendar.h"

namespace quintora::schedule {

inline constexpr int max_season_weeks = 200;

enum class Viewer { NotePad, WordPad };

struct ScheduleOptions {
  int season_weeks = 0;                      // 0..200
  std::string result_file = "schedule.txt";  // as typed, at most 49 bytes
  int effort = 2;                            // 1 = no optimisation .. 4 = hardest
  Viewer viewer = Viewer::NotePad;
  bool comma_delimited = false;
  bool fairest = false;  // Fairest in place of the efforts
  int variant = 1;       // which Fairest schedule: 1..max_variant
  // In place of the league's own calendar for this run (the command line's options).
  std::optional<Calendar> calendar;
};

// One pass as built and one with home and away exchanged: 2 x (c - 1) weeks
// for an even team count c, 2 x c for an odd one (the bye adds a round).
int default_season_weeks(int n_team);

// The weeks text read as a decimal integer: leading white space skipped, one
// optional sign, digits up to the first other character, no digits giving 0;
// then clamped to 0..200.
int convert_weeks_text(std::string_view text);

}  // namespace quintora::schedule
