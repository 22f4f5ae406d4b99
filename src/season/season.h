#pragma once
// A built season as plain data: what every writer of a schedule reads. The
// schedule run fills it once; the text schedule, the exporters, the fairness
// report and the season window only read it, so none of them rebuilds
// pairings on its own.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/date.h"
#include "league/calendar.h"

namespace quintora::season {

struct Team {
  std::string name;  // UTF-8, exactly as in the league
  int bar = 0;       // home bar number, 1..bars.size()
  int division{1};   // 1..divisions.size(), 1 when the league has one
};

struct Bar {
  std::string name;
  int tables = 1;
  std::string address{};  // venue details, empty when not given
  std::string phone{};
  std::optional<base::TimeOfDay> start{};  // none: the calendar's start time
};

// One match; the first team is the host: the match is played at its bar.
struct Match {
  int home = 0;  // team numbers, 1..teams.size()
  int away = 0;
};

struct Week {
  int number = 0;                  // 1, 2, 3 ... straight through the passes
  std::optional<base::Date> date;  // set when the season has a calendar
  std::vector<Match> matches;      // in the order the schedule file lists them
  std::vector<int> not_playing;    // the teams with a bye, one per odd division, in division order
};

// A date on which a bar hosts no match, or a team plays no home match.
struct Unavailable {
  bool bar = true;  // else a team
  int number = 0;   // the bar's or the team's number
  base::Date date;
};

struct Season {
  std::string title;
  std::vector<Team> teams;  // team t is teams[t - 1]
  std::vector<Bar> bars;    // bar b is bars[b - 1]
  std::optional<league::Calendar> calendar;
  int rounds_per_pass = 0;  // weeks of one single round-robin
  std::vector<Week> weeks;
  std::vector<std::string> divisions{};    // names; empty when the league has one division
  std::vector<Unavailable> unavailable{};  // as the league asks, match dates or not

  const Team& team(int number) const { return teams[static_cast<std::size_t>(number - 1)]; }
  const Bar& bar(int number) const { return bars[static_cast<std::size_t>(number - 1)]; }
  // The bar a match is played at: the host's home bar.
  const Bar& venue(const Match& match) const { return bar(team(match.home).bar); }
};

// Whether every number in the season names an existing team or bar, no team
// meets itself, every week has a real date when the season has a calendar,
// and the start time is a time of day.
// Writers refuse a season that is not, rather than read outside its tables.
bool is_consistent(const Season& season);

// The division called `name` (letter case ignored), 1..divisions.size(); 0
// when there is none. A season of one division has no names, so only
// "--division" on a league with divisions finds anything.
int find_division(const Season& season, std::string_view name);

// The season of division `division` alone: its teams' matches and byes,
// every team and bar kept (so numbers stay those of the league), and no
// division names. An unknown division gives the season without its weeks'
// matches.
Season only_division(const Season& season, int division);

}  // namespace quintora::season
