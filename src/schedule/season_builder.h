#pragma once
// Turns a run's pairing table into the season every writer reads: the rounds
// in their order, played as built in odd passes and with home and away
// exchanged in even ones, cut at the season's length, with the team that
// sits out each week of an odd league, and dated when there is a calendar.

#include <optional>

#include "league/calendar.h"
#include "league/league.h"
#include "schedule/round_table.h"
#include "season/season.h"

namespace quintora::schedule {

// `league` is the compact league the table was built for; season_weeks is
// clamped to 0..200.
season::Season build_season(const league::League& league, const RoundTable& table, const RoundOrder& order,
                            int season_weeks, const std::optional<league::Calendar>& calendar);

}  // namespace quintora::schedule
