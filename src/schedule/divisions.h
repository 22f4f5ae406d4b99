#pragma once
// A league of several divisions is scheduled division by division: each
// division is a league of its own (its teams, every bar with only its teams
// counted), and the season plays the divisions' rounds side by side on the
// same weeks. Team numbers in a division's league count from 1 in league
// order; the part keeps the league number of each.

#include <memory>
#include <optional>
#include <vector>

#include "base/messages.h"
#include "league/calendar.h"
#include "league/league.h"
#include "schedule/round_table.h"
#include "season/season.h"

namespace quintora::schedule {

struct DivisionPart {
  int division = 1;
  std::unique_ptr<league::League> league;  // the division alone
  std::vector<int> league_team;            // league_team[t - 1]: league number of its team t
  RoundTable table;
  RoundOrder order;
  // When Fairest chose the hosts week by week, or a placement for each
  // pass: each week's matches (league numbers); the bye of an odd division
  // is the team that does not play.
  std::vector<std::vector<season::Match>> hosts;
};

// The divisions that have teams, in division order. `league` is compact and
// accepted by the run.
std::vector<DivisionPart> split_divisions(const league::League& league);

// A date a bar hosts nothing or a team plays no home match, as a week of the
// season: week 1.. when the date is a match date, else 0.
struct UnavailableWeek {
  league::UnavailableKind kind = league::UnavailableKind::Bar;
  int number = 0;  // bar or team number, 1..
  int week = 0;
  base::Date date;
};
// The league's entries of live bars and teams, each with its week; a date
// that is no match date of the season gets a notice ("... is not a match
// date ...") and week 0.
std::vector<UnavailableWeek> unavailable_weeks(const league::League& league, int season_weeks,
                                               const std::optional<league::Calendar>& calendar,
                                               base::Notices& notices);

// The season of the divisions' tables played side by side: week w plays each
// division's round of that week, division after division, with every
// division's bye. Divisions keep their own pass lengths.
season::Season build_division_season(const league::League& league, const std::vector<DivisionPart>& parts,
                                     int season_weeks, const std::optional<league::Calendar>& calendar);

// What a built season misses of Fairest's promises: each bar with weeks over
// its tables and each unavailable date it does not honour, as warnings that
// name the bar or team and the weeks or dates.
base::Notices season_misses(const season::Season& season);

}  // namespace quintora::schedule
