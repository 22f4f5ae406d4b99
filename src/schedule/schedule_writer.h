#pragma once
// The text of the schedule file, from the season: header, the season week by
// week and the team legend, plain or comma-delimited. Lines end with '\n';
// the run writes the file with the platform's own line ends.

#include <string>

#include "season/season.h"

namespace quintora::schedule {

// Two empty lines, the title indented by five blanks, one empty line; then
// a line per week, each match as "HOST at VISITOR" by team number, the team
// that is not playing last; then an empty line and every team's number and name.
// With divisions the weeks come once per division, each section headed by the
// division's name indented by five blanks and an empty line, and parted from
// the next by an empty line.
// Comma-delimited, a title or name can start no formula cell and no row.
std::string schedule_text(const season::Season& season, bool comma_delimited);

}  // namespace quintora::schedule
