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

#include "season/season.h"

namespace quintora::report {

struct TeamLine {
  int number = 0;  // 1.. as in the schedule
  std::string name;
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

struct Fairness {
  std::vector<TeamLine> teams;
  std::vector<BarLine> bars;
  int total_breaks = 0;
  // The fewest breaks any season of this team count and length can have
  // (see minimum_breaks).
  int minimum_breaks = 0;
};

// Counts on the season's weeks in order. A match naming a team or bar outside
// the league (a season that is not consistent) is passed over.
Fairness assess(const season::Season& season);

// The fewest breaks over the whole passes of a season of mirrored single
// round-robins (each pass the previous one with home and away exchanged),
// for n teams and `weeks` weeks of `rounds_per_pass` rounds each; a last
// pass cut short adds nothing to the bound. With k whole passes:
// - even n: (2k - 1)(n - 2) for k >= 1 (de Werra, "Scheduling in sports",
//   1981: at most two teams of a single round-robin can alternate without a
//   break, and the canonical circle schedule reaches n - 2);
// - odd n: (k - 1) n, one per team at each pass boundary (a team that
//   alternates within a pass plays an even number of games and so starts the
//   exchanged next pass on its last side; one that does not has a break in
//   every pass).
int minimum_breaks(int n_team, int rounds_per_pass, int weeks);

// Aligned text tables for a terminal (teams, bars, then the breaks against
// the fewest possible), names padded by their characters. A control
// character or a byte that is not UTF-8 in a name shows as U+FFFD, so no name
// can move the columns or send the terminal an escape sequence.
std::string as_text(const Fairness& fairness);

// The JSON object of `quintora-cli report --json`, indented by two blanks,
// one member a line, ending in a newline:
// {"teams": [{"number", "name", "home", "away", "byes", "breaks",
//   "longest_home_run", "longest_away_run"}, ...],
//  "bars": [{"number", "name", "tables", "most_in_a_week", "weeks_over_tables"}, ...],
//  "total_breaks", "minimum_breaks"}
// Names as the text shows them (a control character or a byte that is not
// UTF-8 becomes U+FFFD), with quote and backslash escaped: always valid JSON,
// and nothing a terminal would obey.
std::string as_json(const Fairness& fairness);

}  // namespace quintora::report
