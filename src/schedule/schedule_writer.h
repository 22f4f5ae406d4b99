#pragma once
// The text of the schedule file: header, the season week by week and the
// team legend. The texts end their lines with '\n'; the result file is
// written in text mode, so each platform gets its own line ends.

#include <string>
#include <string_view>

#include "league/league.h"
#include "schedule/round_table.h"

namespace quintora::schedule {

// Two empty lines, the title indented by five blanks, one empty line.
// Comma-delimited, the title can hold no formula cell and no line end.
void write_header(std::string& out, std::string_view title, bool comma_delimited);

// season_weeks week lines: the rounds in `order`, as built in odd passes and
// with home and away exchanged in even ones. The first team of each match is
// the one at whose bar it is played. A negative count writes no week.
void write_season(std::string& out, const RoundTable& table, const RoundOrder& order, int season_weeks,
                  bool comma_delimited);

// An empty line, then every real team's number and name; comma-delimited,
// as for the title.
void write_legend(std::string& out, const League& league, bool comma_delimited);

}  // namespace quintora::schedule
