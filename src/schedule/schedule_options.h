#pragma once
// The defaults of the Schedule dialog and its reading of the weeks field.

#include <string_view>

#include "league/league.h"
#include "schedule/schedule_command.h"

namespace quintora::schedule {

inline constexpr int max_season_weeks = 200;

// One pass as built and one with home and away exchanged: 2 x (c - 1) weeks
// for an even team count c, 2 x c for an odd one (the bye adds a round).
int default_season_weeks(int n_team);

// The weeks text read as a decimal integer: leading white space skipped, one
// optional sign, digits up to the first other character, no digits giving 0;
// then clamped to 0..200.
int convert_weeks_text(std::string_view text);

// The choices every opening of the dialog starts from; result_file is kept.
void reset_options_for_dialog(ScheduleOptions& options, const League& league);

}  // namespace quintora::schedule
