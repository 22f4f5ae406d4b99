#pragma once
// How fair a built season is, counted from the season model alone: per team
// its home and away games, byes and breaks; per bar the most matches it
// hosts in a week and the weeks it hosts more than its tables; and the
// league's breaks against the fewest any season of mirrored passes can have.
//
// A break is a team on the same side (home, or away) in two consecutive
// weeks that it plays; a week it sits out is skipped.

#include <string>
#include <vector>

#include "base/date.h"
#include "season/season.h"

namespace quintora::report {

struct TeamLine {
  int number = 0;  // 1.. as in the schedule
  std::string name;
  int division = 1;
  int home = 0;
  int away = 0;
  int byes = 0;  // "Not Playing" weeks
  int breaks = 0;
  int longest_home_run = 0;  // most home games in a row (byes skipped)
  int longest_away_run = 0;
};

struct BarLine {
  int number = 0;
  std::string name;
  int tables = 0;
  int most_in_a_week = 0;     // matches hosted in its busiest week
  int weeks_over_tables = 0;  // weeks in which it hosts more matches than it has tables
};

// A division's breaks against its own fewest (seasons with divisions only).
struct DivisionLine {
  int number = 0;
  std::string name;
  int teams = 0;
  int total_breaks = 0;
  int minimum_breaks = 0;
  bool minimum_is_exact = true;
};

// An unavailable date the season does not honour: the bar hosts a match, or
// the team plays at home, on it.
struct Missed {
  bool bar = true;
  int number = 0;
  std::string name;
  base::Date date;
};

struct Fairness {
  std::vector<TeamLine> teams;
  std::vector<BarLine> bars;
  std::vector<DivisionLine> divisions;  // empty for one division
  std::vector<Missed> unavailable_missed;
  bool has_unavailable = false;  // the league asks for dates (the JSON then lists the misses)
  int total_breaks = 0;
  // The fewest breaks any season of this team count and length can have, or
  // where that is not proven, a number it is proven not to be below (see
  // fewest_breaks); with divisions, the sum of each division's.
  int minimum_breaks = 0;
  bool minimum_is_exact = true;
  bool last_pass_cut = false;  // the season ends inside a round-robin
};

// Counts on the season's weeks in order. A match naming a team or bar outside
// the league (a season that is not consistent) is passed over.
Fairness assess(const season::Season& season);

// The report of one division (1..): its teams, its breaks against its fewest,
// the bars with every division's matches, the misses of its teams and of every
// bar.
Fairness only_division(const Fairness& fairness, int division);

// The fewest breaks of a season of n teams and `weeks` weeks, played as
// seasons are: one single round-robin of `rounds_per_pass` rounds (n - 1 for
// even n, n with a bye each round for odd n), then the same rounds in the
// same order with home and away exchanged, and so on; the last pass may be
// cut short. The least is over every round-robin, order of its rounds and
// choice of hosts; the argument is at the definition. `exact` is false where
// only a lower bound is proven: the fewest may then be more than `breaks`.
struct FewestBreaks {
  int breaks = 0;
  bool exact = true;
};
FewestBreaks fewest_breaks(int n_team, int rounds_per_pass, int weeks);

// The fewest breaks in words: "18", or "at least 12" where only a lower bound
// is proven.
std::string fewest_text(const Fairness& fairness);

// Aligned text tables for a terminal (teams, bars, then the breaks against
// the fewest possible), names padded by their characters. A control
// character or a byte that is not UTF-8 in a name shows as U+FFFD, so no name
// can move the columns or send the terminal an escape sequence.
std::string as_text(const Fairness& fairness);

// The JSON object of `quintora-cli report --json`, indented by two blanks,
// one member a line, ending in a newline:
// {"teams": [{"number", "name", ("division",) "home", "away", "byes", "breaks",
//   "longest_home_run", "longest_away_run"}, ...],
//  with divisions "divisions": [{"number", "name", "teams", "total_breaks",
//   "minimum_breaks"}, ...], where the league has unavailable dates
//  "unavailable_missed": [{"kind": "bar" or "team", "number", "name", "date"}, ...],
//  "bars": [{"number", "name", "tables", "most_in_a_week", "weeks_over_tables"}, ...],
//  "total_breaks", "minimum_breaks", and for a season that ends inside a
//  round-robin or whose fewest is not proven "minimum_breaks_exact"}
// Names as the text shows them (a control character or a byte that is not
// UTF-8 becomes U+FFFD), with quote and backslash escaped: always valid JSON,
// and nothing a terminal would obey.
std::string as_json(const Fairness& fairness);

}  // namespace quintora::report
